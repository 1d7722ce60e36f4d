// The calculator's window: sixteen controls, Form_Load, one-line event procedures and the one
// recalculation that hands the controls' inputs to Calculate and shows its outputs.
#pragma once

#include <QLabel>
#include <QString>
#include <QWidget>

#include <string>

#include "form_controls.hpp"
#include "tuneworks_core.hpp"

namespace tuneworks {

class Form1 : public QWidget {
  Q_OBJECT

 public:
  // Creates the window and its controls with their texts and lists; nothing is selected yet.
  explicit Form1(QWidget* parent = nullptr);

  // The load notification: sets the default selections, which runs three recalculations. Run
  // once, after creation and before the window is first shown.
  void Form_Load();

  // Writes a tuning word in hex cut to the accumulator width selected in Resolution.
  void LongHex(double& value, std::string& text) const;

  const CalcState& State() const { return state_; }

  // The controls, in the order they are created (later ones lie on top where they overlap).
  ComboBox* const ClkUnits;
  TextBox* const DDSFreq;
  TextBox* const Clock;
  MultiLineTextBox* const Results;
  ComboBox* const Funits;
  TextBox* const Fout;
  ComboBox* const Resolution;
  TextBox* const RFMult;
  TextBox* const PLLMult;
  TextBox* const Ref;
  QLabel* const Label6;
  QLabel* const Label5;
  QLabel* const Label4;
  QLabel* const Label3;
  QLabel* const Label2;
  QLabel* const Label1;
  // Red line in the free strip below Results naming an overflow; empty when the last
  // recalculation completed.
  QLabel* const OverflowReport;

 signals:
  // Raised at the end of every recalculation with the inputs it read.
  void recalculated(const tuneworks::CalcInputs& inputs);

 private:
  void Recalculate();
  void ShowOverflow();

  void Ref_Change() { Recalculate(); }
  void PLLMult_Change() { Recalculate(); }
  void RFMult_Change() { Recalculate(); }
  void Fout_Change() { Recalculate(); }
  void ClkUnits_Change() { Recalculate(); }
  void ClkUnits_Click() { Recalculate(); }
  void Funits_Change() { Recalculate(); }
  void Funits_Click() { Recalculate(); }
  void Resolution_Click() { Recalculate(); }

  CalcState state_;
};

}  // namespace tuneworks
