// The calculator's window: its controls and their places, the default selections made at load,
// and the recalculation that every edit and every choice runs.
#include "form1.hpp"

#include <QColor>
#include <QLocale>
#include <QPalette>
#include <QStringList>

#include <cmath>

#include "qt_icon.hpp"

namespace tuneworks {

namespace {

constexpr int kClientWidthTwips = 5715;
constexpr int kClientHeightTwips = 5145;
constexpr double kBoxFontPoints = 9.75;
constexpr double kFoutFontPoints = 12.0;

QStringList UnitItems() {
  return {QStringLiteral("Hz"), QStringLiteral("kHz"), QStringLiteral("MHz"),
          QStringLiteral("GHz")};
}

QStringList ResolutionItems() {
  return {QStringLiteral("24 Bit PIC"), QStringLiteral("32 Bit AD9850/51"),
          QStringLiteral("48 Bit AD9852")};
}

// Labels end next to the control they name, so their captions are right-aligned.
QLabel* NewLabel(const QString& caption, QWidget* parent) {
  auto* label = new QLabel(caption, parent);
  label->setAlignment(Qt::AlignRight | Qt::AlignTop);
  return label;
}

void Lay(QWidget& control, const char* name, int left, int top, int width, int height,
         double font_points) {
  control.setObjectName(QString::fromLatin1(name));
  PlaceInTwips(control, left, top, width, height);
  control.setFont(FormFont(font_points));
}

QString FromCore(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

Form1::Form1(QWidget* parent)
    : QWidget(parent),
      ClkUnits(new ComboBox(QStringLiteral("MHz"), UnitItems(), this)),
      DDSFreq(new TextBox(QString(), this)),
      Clock(new TextBox(QString(), this)),
      Results(new MultiLineTextBox(this)),
      Funits(new ComboBox(QStringLiteral("MHz"), UnitItems(), this)),
      Fout(new TextBox(QStringLiteral("1"), this)),
      Resolution(new ComboBox(QStringLiteral("Select resolution"), ResolutionItems(), this)),
      RFMult(new TextBox(QStringLiteral("1"), this)),
      PLLMult(new TextBox(QStringLiteral("1"), this)),
      Ref(new TextBox(QStringLiteral("20"), this)),
      Label6(NewLabel(QStringLiteral("DDS Output Hz"), this)),
      Label5(NewLabel(QStringLiteral("DDS Clock"), this)),
      Label4(NewLabel(QStringLiteral("Wanted Freq"), this)),
      Label3(NewLabel(QStringLiteral("RF Multiplication"), this)),
      Label2(NewLabel(QStringLiteral("PLL Multiplier"), this)),
      Label1(NewLabel(QStringLiteral("Reference"), this)),
      OverflowReport(new QLabel(this)) {
  // Names, places in twips (left, top, width, height) and fonts.
  // clang-format off
  Lay(*ClkUnits,   "ClkUnits",   2520,  360,  975,  360, kBoxFontPoints);
  Lay(*DDSFreq,    "DDSFreq",    1560, 2400, 1575,  315, kDefaultFontPoints);
  Lay(*Clock,      "Clock",      4200,  720,  975,  285, kDefaultFontPoints);
  Lay(*Results,    "Results",     600, 2760, 4095, 1695, kBoxFontPoints);
  Lay(*Funits,     "Funits",     3120, 1920,  975,  360, kBoxFontPoints);
  Lay(*Fout,       "Fout",       1560, 1920, 1575,  375, kFoutFontPoints);
  Lay(*Resolution, "Resolution", 1560, 1440, 1815,  315, kDefaultFontPoints);
  Lay(*RFMult,     "RFMult",     1560, 1080,  975,  285, kBoxFontPoints);
  Lay(*PLLMult,    "PLLMult",    1560,  720,  975,  285, kBoxFontPoints);
  Lay(*Ref,        "Ref",        1560,  360,  975,  285, kBoxFontPoints);
  Lay(*Label6,     "Label6",      120, 2400, 1335,  255, kDefaultFontPoints);
  Lay(*Label5,     "Label5",     2760,  720, 1335,  255, kDefaultFontPoints);
  Lay(*Label4,     "Label4",      120, 1920, 1335,  255, kDefaultFontPoints);
  Lay(*Label3,     "Label3",      120, 1080, 1335,  255, kDefaultFontPoints);
  Lay(*Label2,     "Label2",      240,  720, 1215,  255, kDefaultFontPoints);
  Lay(*Label1,     "Label1",      120,  360, 1335,  255, kDefaultFontPoints);
  // clang-format on
  // The strip below Results is free: the overflow report lives there.
  Lay(*OverflowReport, "OverflowReport", 120, 4560, 5475, 510, kDefaultFontPoints);

  Clock->setEnabled(false);
  DDSFreq->setEnabled(false);
  OverflowReport->setWordWrap(true);
  OverflowReport->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QPalette report_colours = OverflowReport->palette();
  report_colours.setColor(QPalette::WindowText, QColor(255, 0, 0));
  OverflowReport->setPalette(report_colours);

  // Tab order; the disabled boxes in it are passed over.
  setTabOrder(Ref, PLLMult);
  setTabOrder(PLLMult, RFMult);
  setTabOrder(RFMult, Resolution);
  setTabOrder(Resolution, Fout);
  setTabOrder(Fout, Funits);
  setTabOrder(Funits, Results);
  setTabOrder(Results, Clock);
  setTabOrder(Clock, DDSFreq);
  setTabOrder(DDSFreq, ClkUnits);
  Ref->setFocus();

  connect(Ref, &TextBox::Change, this, &Form1::Ref_Change);
  connect(PLLMult, &TextBox::Change, this, &Form1::PLLMult_Change);
  connect(RFMult, &TextBox::Change, this, &Form1::RFMult_Change);
  connect(Fout, &TextBox::Change, this, &Form1::Fout_Change);
  connect(ClkUnits, &ComboBox::Change, this, &Form1::ClkUnits_Change);
  connect(ClkUnits, &ComboBox::Click, this, &Form1::ClkUnits_Click);
  connect(Funits, &ComboBox::Change, this, &Form1::Funits_Change);
  connect(Funits, &ComboBox::Click, this, &Form1::Funits_Click);
  connect(Resolution, &ComboBox::Click, this, &Form1::Resolution_Click);

  setWindowTitle(QStringLiteral("TUNEWORKS - VARNO"));
  setWindowIcon(TuneworksIcon());
  setFixedSize(kClientWidthTwips / kTwipsPerPixel, kClientHeightTwips / kTwipsPerPixel);
}

void Form1::Form_Load() {
  Funits->SetListIndex(2);
  ClkUnits->SetListIndex(2);
  state_.ClockUnitScale = 1000000;
  // The initial texts give 20 MHz; texts that overflow leave the window open with the report
  // and stop loading here, as a failed recalculation stops.
  double clock_hz = HUGE_VAL;
  try {
    clock_hz = state_.ClockUnitScale *
               (ReadNumber(PLLMult->Text().toStdString()) * ReadNumber(Ref->Text().toStdString()));
  } catch (const OverflowError&) {
  }
  if (!std::isfinite(clock_hz)) {
    ShowOverflow();
    return;
  }
  state_.ClockHz = clock_hz;
  Resolution->SetListIndex(1);
}

void Form1::LongHex(double& value, std::string& text) const {
  tuneworks::LongHex(value, text, Resolution->ListIndex());
}

void Form1::Recalculate() {
  CalcInputs inputs;
  inputs.Ref = Ref->Text().toStdString();
  inputs.PLLMult = PLLMult->Text().toStdString();
  inputs.Fout = Fout->Text().toStdString();
  inputs.RFMult = RFMult->Text().toStdString();
  inputs.ClkUnits = ClkUnits->ListIndex();
  inputs.Funits = Funits->ListIndex();
  inputs.Resolution = Resolution->ListIndex();

  // Only the resolution line follows the user's decimal separator; Calculate knows which.
  const CalcOutputs outputs =
      Calculate(inputs, state_, QLocale::system().decimalPoint().toStdString());
  if (outputs.Clock) {
    Clock->SetText(FromCore(*outputs.Clock));
  }
  if (outputs.DDSFreq) {
    DDSFreq->SetText(FromCore(*outputs.DDSFreq));
  }
  if (outputs.ResultsColour) {
    Results->SetForeColor(*outputs.ResultsColour);
  }
  if (outputs.Results) {
    Results->SetText(FromCore(*outputs.Results));
  }
  if (outputs.Overflow) {
    ShowOverflow();
  } else {
    OverflowReport->clear();
  }
  emit recalculated(inputs);
}

void Form1::ShowOverflow() {
  OverflowReport->setText(
      QStringLiteral("Overflow: a number is beyond the range the calculator can work with. "
                     "Outputs it did not reach keep their earlier values."));
}

}  // namespace tuneworks
