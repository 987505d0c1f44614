#pragma once
// The main window of the calculator and its event handlers. The window only
// translates events into calls of the calculator core and writes the core's
// results into its views.

#include <QWidget>
#include <array>
#include <memory>

#include "WindowPlatform.h"
#include "register_entry.h"
#include "register_model.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QStatusBar;

namespace averlin {

class Announcer;
class HintLine;
class UpDown;
enum class Operation;
struct WrittenRegisters;
namespace layout {
enum class Handler;
struct ViewOf;
}  // namespace layout

// True while the program writes into the register views; the views' change
// and click handlers then do nothing.
bool UpdatingViews();

using BitBoxes = std::array<QCheckBox*, 32>;

// View writers and reader of one register's views.
void ShowHex(Word value, QLineEdit* edit);
void ShowDec(Word value, QLineEdit* edit);
void ShowNet(Word value, QLineEdit* edit);
void ShowBits(Word value, const BitBoxes& boxes);
Word BitBoxesToValue(const BitBoxes& boxes);

}  // namespace averlin

class TForm_Quillon : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(TForm_Quillon)
 public:
  explicit TForm_Quillon(QWidget* parent = nullptr);
  ~TForm_Quillon() override;

  // The hint the status bar shows where a control has none of its own.
  static const QString kWindowHint;

  // Whether the windowing system lets this window be translucent.
  bool TranslucencyOffered() const { return translucencyOffered_; }

 protected:
  void moveEvent(QMoveEvent* event) override;

 private:
  // Creation: the defaults, the first refresh and the unit lists.
  void FormCreate();

  // Register views.
  void Edit_AccuHexChange(QObject* sender);
  void Edit_AccuDecChange(QObject* sender);
  void AccuNetChange(QObject* sender);
  void Accu1ChangeBit(QObject* sender);
  void Accu2ChangeBit(QObject* sender);

  // Bit numbering.
  void btn_Accu1_LSBClick(QObject* sender);
  void btn_Accu2_LSBClick(QObject* sender);
  void btn_Result_LSBClick(QObject* sender);

  // Operations and the shift count.
  void btn_ADDClick(QObject* sender);
  void btn_SUBTRClick(QObject* sender);
  void btn_MULTClick(QObject* sender);
  void btn_DIVClick(QObject* sender);
  void btn_ANDClick(QObject* sender);
  void btn_ORClick(QObject* sender);
  void btn_XORClick(QObject* sender);
  void btn_NOTClick(QObject* sender);
  void btn_NANDClick(QObject* sender);
  void btn_NORClick(QObject* sender);
  void btn_XNORClick(QObject* sender);
  void btn_SHLClick(QObject* sender);
  void btn_SHRClick(QObject* sender);
  void btn_ROLClick(QObject* sender);
  void btn_RORClick(QObject* sender);
  void btn_SwapClick(QObject* sender);
  void btn_RtoA1Click(QObject* sender);
  void btn_RtoA2Click(QObject* sender);
  void BitOp_NumBits1Change(QObject* sender);

  // Data format.
  void Combo_DatawordLengthChange(QObject* sender);
  void Combo_SignedChange(QObject* sender);

  // Byte conversion tool.
  void Converter_Do_Convert(QObject* sender);

  // Application settings.
  void CheckBox1Click(QObject* sender);
  void CheckBox2Click(QObject* sender);
  void TransparencyChange(QObject* sender);

  // The status bar's hint line.
  void ShowHintInStatusBar(const QString& hint);

  // The order in which a refresh writes one register's four views.
  enum class View { Hex, Dec, Net, Bits };
  using WriteOrder = std::array<View, 4>;
  static constexpr WriteOrder kDecHexNetBits{View::Dec, View::Hex, View::Net, View::Bits};
  static constexpr WriteOrder kDecHexBitsNet{View::Dec, View::Hex, View::Bits, View::Net};
  static constexpr WriteOrder kHexDecNetBits{View::Hex, View::Dec, View::Net, View::Bits};

  struct RegisterViews {
    QLineEdit* hex = nullptr;
    QLineEdit* dec = nullptr;
    QLineEdit* net = nullptr;
    averlin::BitBoxes bits{};
    std::array<QLabel*, 8> positionLabels{};
    QPushButton* lsb = nullptr;
  };

  using HandlerMethod = void (TForm_Quillon::*)(QObject*);

  // Builds the controls from the layout and binds their handlers.
  void BuildFromLayout();
  // The member that a row's handler names.
  static HandlerMethod MethodOf(averlin::layout::Handler handler);
  // Keeps a view the handlers work on, as the builder makes it.
  void Keep(const averlin::layout::ViewOf& keep, QWidget* w);
  // Stops the program when the layout left a view the handlers need unmade.
  void CheckKeptViews() const;
  template <class Widget, class Signal>
  void Bind(Widget* sender, Signal signal, HandlerMethod handler);

  void OperationClick(averlin::Operation op);
  void AnnounceRegisters(const averlin::WrittenRegisters& written);
  averlin::Register RegisterOfField(QObject* sender, averlin::RegisterField field) const;
  void AccuFieldChange(QObject* sender, averlin::RegisterField field);
  void AccuChangeBit(averlin::Register reg);
  void SwitchBitNumbering(averlin::Register reg);
  void RefreshRegisterViews(averlin::Register reg, const WriteOrder& order);
  void RefreshAllRegisters(const WriteOrder& order);

  std::unique_ptr<averlin::HintLine> hintLine_;
  std::unique_ptr<averlin::Announcer> announcer_;
  std::array<RegisterViews, 3> views_{};
  QLineEdit* shiftCountEdit_ = nullptr;
  averlin::UpDown* shiftCountSpinner_ = nullptr;
  QComboBox* wordLengthList_ = nullptr;
  QComboBox* signedList_ = nullptr;
  QLineEdit* convInput_ = nullptr;
  QLineEdit* convOutput_ = nullptr;
  QComboBox* convSource_ = nullptr;
  QComboBox* convTarget_ = nullptr;
  QCheckBox* alwaysOnTop_ = nullptr;
  QCheckBox* largeFont_ = nullptr;
  QSlider* transparency_ = nullptr;
  QLabel* transparencyLabel_ = nullptr;
  QStatusBar* statusBar_ = nullptr;
  bool translucencyOffered_ = false;
  averlin::WorkAreaSnap snap_;
};
