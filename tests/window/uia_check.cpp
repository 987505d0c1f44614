// The program as a Windows screen reader or voice control finds it: starts
// it, walks its window's UI Automation tree as a client does and fails on a
// keyboard stop without a name, a disabled control said to take the focus,
// a control type that is not UI Automation's, a button, check box or
// labelled list whose name lacks what the screen shows for it, or a
// labelled control that is not related to its label.
//     uia_check PROGRAM.exe
// Under Wine only UI Automation's tree and properties travel (no patterns,
// no events); what Qt's providers answer beyond that is checked inside the
// process by tst_accessibility. Wine's UI Automation core names a property
// that a provider gave in the wrong form in its log ("Invalid vt 22 for
// UIAutomationType_Int"), which the test's run fails on; its "Invalid vt 0"
// for every empty relation is its own.

#include <initguid.h>  // the GUIDs of UI Automation's client, defined here
#include <uiautomation.h>
#include <windows.h>

#include <QHash>
#include <QString>
#include <QStringList>
#include <cstdio>

#include "Layout.h"

namespace {

// The first and last control types that UI Automation defines (Button, AppBar).
constexpr long kFirstControlType = 50000;
constexpr long kLastControlType = 50040;

int failures = 0;

void Fail(const QString& what) {
  std::fprintf(stderr, "uia_check: %s\n", qPrintable(what));
  ++failures;
}

// A property of an element as the client reads it, providers' answers
// cached or not.
VARIANT Property(IUIAutomationElement* element, PROPERTYID id) {
  VARIANT v;
  VariantInit(&v);
  if (FAILED(element->GetCurrentPropertyValueEx(id, TRUE, &v))) v.vt = VT_EMPTY;
  return v;
}

QString StringProperty(IUIAutomationElement* element, PROPERTYID id) {
  VARIANT v = Property(element, id);
  const QString text = v.vt == VT_BSTR && v.bstrVal ? QString::fromWCharArray(v.bstrVal) : QString();
  VariantClear(&v);
  return text;
}

bool BoolProperty(IUIAutomationElement* element, PROPERTYID id) {
  VARIANT v = Property(element, id);
  return v.vt == VT_BOOL && v.boolVal == VARIANT_TRUE;
}

// The name of an element as the program names its control (the last part
// of its AutomationId).
QString ControlName(IUIAutomationElement* element) {
  return StringProperty(element, UIA_AutomationIdPropertyId).section(QLatin1Char('.'), -1);
}

// What the screen shows for each control with a caption, or a label, by
// the control's name: the layout's text, a label's without its colon; and
// the label of each labelled control.
struct Shown {
  QHash<QString, QString> captions;
  QHash<QString, QString> labels;
};
Shown ShownCaptions() {
  Shown shown;
  for (const averlin::layout::Control& c : averlin::layout::Controls()) {
    using averlin::layout::Kind;
    if ((c.kind == Kind::PushButton || c.kind == Kind::CheckBox) && !c.text.isEmpty())
      shown.captions.insert(c.name, c.text);
    if (c.kind == Kind::Label && !c.buddy.isEmpty()) {
      QString words = c.text;
      if (words.endsWith(QLatin1Char(':'))) words.chop(1);
      shown.captions.insert(c.buddy, words);
      shown.labels.insert(c.buddy, c.name);
    }
  }
  return shown;
}

// The control that UI Automation says labels the element, by its name.
QString LabelOf(IUIAutomationElement* element) {
  VARIANT v = Property(element, UIA_LabeledByPropertyId);
  QString label;
  IUIAutomationElement* labelling = nullptr;
  if (v.vt == VT_UNKNOWN && v.punkVal &&
      SUCCEEDED(v.punkVal->QueryInterface(IID_IUIAutomationElement, reinterpret_cast<void**>(&labelling)))) {
    label = ControlName(labelling);
    labelling->Release();
  }
  VariantClear(&v);
  return label;
}

// The program's shown window titled "Averlin", within 30 s.
HWND WaitForWindow(DWORD process) {
  for (int tries = 0; tries < 300; ++tries, Sleep(100)) {
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, nullptr, L"Averlin")) != nullptr;) {
      DWORD owner = 0;
      GetWindowThreadProcessId(w, &owner);
      if (owner == process && IsWindowVisible(w)) return w;
    }
  }
  return nullptr;
}

void CheckTree(IUIAutomation* automation, HWND window) {
  IUIAutomationElement* root = nullptr;
  IUIAutomationCondition* all = nullptr;
  IUIAutomationElementArray* elements = nullptr;
  if (FAILED(automation->ElementFromHandle(window, &root)) || !root) return Fail("no element for the window");
  VARIANT type = Property(root, UIA_ControlTypePropertyId);
  if (type.vt != VT_I4 || type.lVal != UIA_WindowControlTypeId) Fail("the window is not a Window");
  automation->CreateTrueCondition(&all);
  if (FAILED(root->FindAll(TreeScope_Descendants, all, &elements)) || !elements)
    return Fail("the window's tree cannot be walked");
  const Shown shown = ShownCaptions();
  int count = 0;
  int stops = 0;
  elements->get_Length(&count);
  for (int i = 0; i < count; ++i) {
    IUIAutomationElement* element = nullptr;
    if (FAILED(elements->GetElement(i, &element)) || !element) continue;
    const QString name = StringProperty(element, UIA_NamePropertyId);
    const QString id = ControlName(element);
    VARIANT controlType = Property(element, UIA_ControlTypePropertyId);
    if (controlType.vt != VT_I4 || controlType.lVal < kFirstControlType ||
        controlType.lVal > kLastControlType)
      Fail(QStringLiteral("%1: control type of variant type %2").arg(id).arg(controlType.vt));
    // Each property is a round trip to the program: only a stop's is asked
    // whether it is enabled.
    if (BoolProperty(element, UIA_IsKeyboardFocusablePropertyId)) {
      if (!BoolProperty(element, UIA_IsEnabledPropertyId))
        Fail(id + ": disabled, yet said to take the focus");
      ++stops;
      if (name.trimmed().isEmpty()) Fail(id + ": a keyboard stop without a name");
    }
    const QString caption = shown.captions.value(id);
    if (!caption.isEmpty() && !name.startsWith(caption))
      Fail(QStringLiteral("%1: the name \"%2\" does not start with \"%3\"").arg(id, name, caption));
    if (shown.labels.contains(id) && LabelOf(element) != shown.labels.value(id))
      Fail(QStringLiteral("%1: labelled by \"%2\", not by %3")
               .arg(id, LabelOf(element), shown.labels.value(id)));
    element->Release();
  }
  std::printf("uia_check: %d elements, %d keyboard stops\n", count, stops);
  if (count < 100) Fail("the tree has too few elements");
  elements->Release();
  all->Release();
  root->Release();
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: uia_check PROGRAM.exe\n");
    return 2;
  }
  std::wstring command = L"\"" + QString::fromLocal8Bit(argv[1]).toStdWString() + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION program{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &program)) {
    std::fprintf(stderr, "uia_check: cannot start %s\n", argv[1]);
    return 1;
  }
  const HWND window = WaitForWindow(program.dwProcessId);
  CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  IUIAutomation* automation = nullptr;
  if (!window) {
    Fail("the program showed no window");
  } else if (FAILED(CoCreateInstance(CLSID_CUIAutomation, nullptr, CLSCTX_INPROC_SERVER, IID_IUIAutomation,
                                     reinterpret_cast<void**>(&automation)))) {
    Fail("no UI Automation client");
  } else {
    CheckTree(automation, window);
    automation->Release();
  }
  CoUninitialize();
  TerminateProcess(program.hProcess, 0);
  CloseHandle(program.hThread);
  CloseHandle(program.hProcess);
  std::printf("uia_check: %s\n", failures ? "failed" : "passed");
  return failures ? 1 : 0;
}
