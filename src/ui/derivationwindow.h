#pragma once
// "为什么？": the derivation of a page's result at the moment the pages show, as text to read, select and
// copy. It shows what it was given when it was opened; opening it again takes the moment shown then.
#include <QString>

#include "methods/derivation.h"
#include "methods/doctrine.h"
#include "methods/pipeline.h"
#include "ui/textwindow.h"

class QPlainTextEdit;
class QPushButton;

namespace velunar::ui {

// The text of the derivations behind one page (`page` none: every page): a heading with the moment, then
// the time step and the doctrine, each under its own title, a numbered step a line. The 纳干法 and 补穴法
// pages carry both in a closed hour.
QString DerivationText(std::optional<DoctrineId> page, const TickView& view, const ReferenceTables& tables);

class DerivationWindow : public ViewerWindow {
    Q_OBJECT
  public:
    explicit DerivationWindow(QWidget* parent = nullptr);

    // Replaces the text and shows the window, in front if it was open.
    void ShowDerivation(const QString& title, const QString& text);

    QPlainTextEdit* textBox() const { return textBox_; }
    QPushButton* copyButton() const { return copyButton_; }

  private:
    QPlainTextEdit* textBox_ = nullptr;
    QPushButton* copyButton_ = nullptr;
};

}  // namespace velunar::ui
