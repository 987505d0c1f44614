// Per-action latency of the calculator's window, driven as a user drives it:
// key clicks and mouse clicks delivered to the real window, in process.
//
// Each sample is timed on its own with std::chrono::steady_clock:
//   handler  from the key or click reaching the control until its handlers
//            have returned (every view written);
//   shown    until, in addition, the events that it posted (the repaint
//            among them) have been delivered.
// For a click, Qt repaints the button at once, in the press and in the
// release, and the release repaint draws every view the handlers changed:
// there "handler" already holds the painting. A keystroke's views are
// painted later, so only "shown" holds it.
// Set-up between samples (values that make the next action change the
// views) is not timed. Every sample checks that its action changed what it
// should, so a benchmark cannot go on timing an action that does nothing.
// Reference rows time the same kinds of action on the floor window.
//
// Usage: averlin-latency-bench [--samples=N] [Google Benchmark flags]

#include <benchmark/benchmark.h>

#include <QAbstractEventDispatcher>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "FieldText.h"
#include "FloorWindow.h"
#include "WindowDriver.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kTargetMedianUs = 200;
constexpr double kTargetP99Us = 1000;

struct Action {
  std::string name;
  std::function<void()> setUp;       // once, before the first sample
  std::function<void()> prepare;     // before each sample, untimed
  std::function<void()> act;         // the user's action, timed
  std::function<QString()> watched;  // what the action must change
  bool changes = true;               // false: what it must leave alone
};

struct Figures {
  std::string name;
  double handlerP50, handlerP99, shownP50, shownP99;
};
std::vector<Figures> results;
int failures = 0;

// The sample of rank p (0..1), the nearest rank rounded.
double Percentile(std::vector<double> samples, double p) {
  std::sort(samples.begin(), samples.end());
  return samples[static_cast<std::size_t>(std::lround(p * static_cast<double>(samples.size() - 1)))];
}

double Microseconds(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

// Moves the pointer and waits until the program has been told, by the
// pointer event the window is sent, which the hint line follows.
void MovePointerTo(QPoint global) {
  if (!WindowDriver::movePointerTo(global))
    std::fprintf(stderr, "no pointer event at %d,%d\n", global.x(), global.y());
}

void Run(benchmark::State& state, const Action& a) {
  if (a.setUp) a.setUp();
  QCoreApplication::processEvents();
  std::vector<double> handler;
  std::vector<double> shown;
  handler.reserve(static_cast<std::size_t>(state.max_iterations));
  shown.reserve(static_cast<std::size_t>(state.max_iterations));
  for (auto _ : state) {
    state.PauseTiming();
    if (a.prepare) a.prepare();
    QCoreApplication::processEvents();
    const QString before = a.watched();
    state.ResumeTiming();

    const Clock::time_point start = Clock::now();
    a.act();
    const Clock::time_point handled = Clock::now();
    QCoreApplication::sendPostedEvents();
    const Clock::time_point delivered = Clock::now();

    state.SetIterationTime(std::chrono::duration<double>(handled - start).count());
    handler.push_back(Microseconds(handled - start));
    shown.push_back(Microseconds(delivered - start));
    state.PauseTiming();
    if ((a.watched() == before) == a.changes) {
      state.SkipWithError(a.changes ? "the action changed nothing" : "the action changed what it should not");
      ++failures;
      break;
    }
    state.ResumeTiming();
  }
  if (handler.empty() || state.error_occurred()) return;
  const Figures f{a.name, Percentile(handler, 0.5), Percentile(handler, 0.99), Percentile(shown, 0.5),
                  Percentile(shown, 0.99)};
  state.counters["p50_us"] = f.handlerP50;
  state.counters["p99_us"] = f.handlerP99;
  state.counters["shown_p50_us"] = f.shownP50;
  state.counters["shown_p99_us"] = f.shownP99;
  results.push_back(f);
}

// The four views of a register as one text.
QString Views(WindowDriver& d, const QString& reg) {
  return d.hex(reg) + '|' + d.dec(reg) + '|' + d.net(reg) + '|' + QString::number(d.bits(reg));
}

QString AllViews(WindowDriver& d) {
  return Views(d, QStringLiteral("Accu1")) + Views(d, QStringLiteral("Accu2")) +
         Views(d, QStringLiteral("Result"));
}

// A keystroke that changes the value: a digit at the end of the text, or a
// backspace that takes it away again.
void ToggleDigit(QLineEdit* edit, char digit) {
  if (edit->text().endsWith(QLatin1Char(digit)))
    QTest::keyClick(edit, Qt::Key_Backspace);
  else
    QTest::keyClick(edit, digit);
}

// Steps a drop-down list with the arrow keys, which runs its activated handler.
void StepList(QComboBox* list, int index) {
  while (list->currentIndex() < index) QTest::keyClick(list, Qt::Key_Down);
  while (list->currentIndex() > index) QTest::keyClick(list, Qt::Key_Up);
}

void SetBit(WindowDriver& d, const QString& reg, int bit, bool on) {
  if (d.bitBox(reg, bit)->isChecked() != on) d.clickBit(reg, bit);
}

std::vector<Action> Actions(WindowDriver& d) {
  std::vector<Action> actions;
  const QString a1 = QStringLiteral("Accu1");
  const QString a2 = QStringLiteral("Accu2");
  auto* wordLength = d.find<QComboBox>(QStringLiteral("Combo_DatawordLength"));
  auto* signedness = d.find<QComboBox>(QStringLiteral("Combo_Signed"));
  const auto atFormat = [=](averlin::DataWordLength length, averlin::SignedMode mode) {
    StepList(wordLength, averlin::ItemIndex(length));
    StepList(signedness, averlin::ItemIndex(mode));
  };

  for (const QString& reg : {a1, a2}) {
    for (const char* field : {"Hex", "Dec", "Net"}) {
      const QString name = "Edit_" + reg + field;
      QLineEdit* edit = d.edit(name);
      // The other three views of the register must follow the keystroke.
      const auto others = [&d, reg, edit] {
        QString views;
        for (const QString& view : {d.hex(reg), d.dec(reg), d.net(reg)})
          if (view != edit->text()) views += view + '|';
        return views + QString::number(d.bits(reg));
      };
      actions.push_back({"keystroke/" + name.toStdString(),
                         [=, &d] {
                           atFormat(averlin::DataWordLength::Bits32, averlin::SignedMode::Unsigned);
                           d.setRegister(reg, QStringLiteral("1"));
                           d.key(name, Qt::Key_End);
                         },
                         {},
                         [edit] { ToggleDigit(edit, '2'); },
                         others});
    }
  }

  actions.push_back({"bit-box click/Accu1 bit 5",
                     {},
                     {},
                     [&d, a1] { d.clickBit(a1, 5); },
                     [&d, a1] { return Views(d, a1); }});

  // Toggling a few bits before each click makes every operation write new
  // values, whichever registers it reads.
  const auto varyOperands = [&d, a1, a2] {
    d.clickBit(a1, 0);
    d.clickBit(a1, 31);
    d.clickBit(a2, 4);
  };
  const auto operands = [=, &d] {
    atFormat(averlin::DataWordLength::Bits32, averlin::SignedMode::Unsigned);
    d.setRegister(a1, QStringLiteral("F0F0F0F5"));
    d.setRegister(a2, QStringLiteral("3"));
  };
  for (QPushButton* button : d.find(QStringLiteral("GroupBox_OpLogic"))->findChildren<QPushButton*>())
    actions.push_back({"operation/" + button->objectName().toStdString(), operands, varyOperands,
                       [button] { QTest::mouseClick(button, Qt::LeftButton); },
                       [&d] { return AllViews(d); }});

  const auto lengthWatch = [&d, wordLength] { return wordLength->currentText() + AllViews(d); };
  actions.push_back({"word length/32 to 16",
                     {},
                     [=, &d] {
                       atFormat(averlin::DataWordLength::Bits32, averlin::SignedMode::Unsigned);
                       SetBit(d, a1, 31, true);
                       SetBit(d, a2, 20, true);
                     },
                     [wordLength] { QTest::keyClick(wordLength, Qt::Key_Up); },
                     lengthWatch});
  actions.push_back({"word length/16 to 32",
                     {},
                     [=] { atFormat(averlin::DataWordLength::Bits16, averlin::SignedMode::Unsigned); },
                     [wordLength] { QTest::keyClick(wordLength, Qt::Key_Down); },
                     lengthWatch});

  actions.push_back({"signedness/toggle",
                     [=, &d] {
                       atFormat(averlin::DataWordLength::Bits32, averlin::SignedMode::Unsigned);
                       d.setRegister(a1, QStringLiteral("80000005"));
                     },
                     {},
                     [signedness] {
                       QTest::keyClick(signedness,
                                       signedness->currentIndex() == 0 ? Qt::Key_Down : Qt::Key_Up);
                     },
                     [&d, a1] { return d.dec(a1); }});

  auto* lsb = d.find<QPushButton>(QStringLiteral("btn_Accu1_LSB"));
  actions.push_back({"LSB switch/Accu1",
                     {},
                     {},
                     [lsb] { QTest::mouseClick(lsb, Qt::LeftButton); },
                     [lsb] { return lsb->text(); }});

  // The event loop falling idle after an action: the hint line looks for
  // the control under the pointer. Alternating between two controls makes
  // each sample show a new hint.
  auto* dispatcher = QAbstractEventDispatcher::instance();
  auto* statusBar = d.find<QStatusBar>(QStringLiteral("StatusBar"));
  actions.push_back({"falling idle/hint line",
                     {},
                     [&d, toggle = false]() mutable {
                       toggle = !toggle;
                       QWidget* target =
                           d.find(toggle ? QStringLiteral("btn_AND") : QStringLiteral("btn_OR"));
                       MovePointerTo(target->mapToGlobal(target->rect().center()));
                     },
                     [dispatcher] { emit dispatcher->aboutToBlock(); },
                     [statusBar] { return statusBar->currentMessage(); }});
  // Most often the pointer has not moved and the hint stays.
  actions.push_back({"falling idle/pointer still",
                     {},
                     {},
                     [dispatcher] { emit dispatcher->aboutToBlock(); },
                     [statusBar] { return statusBar->currentMessage(); },
                     false});

  QLineEdit* input = d.edit(QStringLiteral("Conv_CE_Input"));
  QLineEdit* output = d.edit(QStringLiteral("Conv_CE_Output"));
  actions.push_back({"converter keystroke/Conv_CE_Input",
                     [&d] {
                       d.typeOver(QStringLiteral("Conv_CE_Input"), QStringLiteral("153"));
                       d.key(QStringLiteral("Conv_CE_Input"), Qt::Key_End);
                     },
                     {},
                     [input] { ToggleDigit(input, '6'); },
                     [output] { return output->text(); }});
  return actions;
}

// The same kinds of action on the floor window, whose widgets have nothing
// behind them: what the toolkit itself costs for a click or a keystroke.
std::vector<Action> FloorActions(QWidget& floor) {
  static int clicks = 0;
  auto* box = floor.findChild<QCheckBox*>();
  auto* button = floor.findChild<QPushButton*>();
  auto* edit = floor.findChild<QLineEdit*>();
  QObject::connect(button, &QPushButton::clicked, button, [] { ++clicks; });
  return {
      {"floor/check-box click",
       {},
       {},
       [box] { QTest::mouseClick(box, Qt::LeftButton); },
       [box] { return QString::number(box->isChecked()); }},
      {"floor/push-button click",
       {},
       {},
       [button] { QTest::mouseClick(button, Qt::LeftButton); },
       [] { return QString::number(clicks); }},
      {"floor/keystroke",
       [edit] { edit->setCursorPosition(static_cast<int>(edit->text().size())); },
       {},
       [edit] { ToggleDigit(edit, '2'); },
       [edit] { return edit->text(); }},
  };
}

// Takes --samples=N out of the arguments.
int TakeSamples(int& argc, char** argv, int fallback) {
  int samples = fallback;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--samples=", 10) != 0) continue;
    samples = std::max(1, std::atoi(argv[i] + 10));
    std::copy(argv + i + 1, argv + argc + 1, argv + i);  // argv[argc] is the null pointer
    --argc;
    --i;
  }
  return samples;
}

void PrintSummary(int samples) {
  std::printf("\nPer-action latency, %d samples each, in microseconds (target: median < %.0f, p99 < %.0f):\n",
              samples, kTargetMedianUs, kTargetP99Us);
  std::printf("%-40s %10s %10s %10s %10s  %s\n", "action", "median", "p99", "shown med", "shown p99",
              "target");
  int met = 0;
  for (const Figures& f : results) {
    const bool ok = f.handlerP50 < kTargetMedianUs && f.handlerP99 < kTargetP99Us;
    met += ok;
    std::printf("%-40s %10.1f %10.1f %10.1f %10.1f  %s\n", f.name.c_str(), f.handlerP50, f.handlerP99,
                f.shownP50, f.shownP99, ok ? "met" : "missed");
  }
  std::printf("%d of %zu actions within target\n", met, results.size());
}

}  // namespace

int main(int argc, char** argv) {
  const int samples = TakeSamples(argc, argv, 400);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

  WindowDriver driver;
  // The floor stands beside the calculator's window, not over it.
  averlin::bench::FloorWindow floor;
  floor.move(driver.window().frameGeometry().topRight() + QPoint(16, 0));
  floor.show();
  if (!QTest::qWaitForWindowExposed(&floor)) qFatal("the floor window was not shown");
  std::vector<Action> actions = Actions(driver);
  for (Action& a : FloorActions(floor)) actions.push_back(std::move(a));
  for (const Action& a : actions)
    benchmark::RegisterBenchmark(a.name.c_str(), [&a](benchmark::State& state) { Run(state, a); })
        ->Iterations(samples)
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  PrintSummary(samples);
  return failures == 0 ? 0 : 1;
}
