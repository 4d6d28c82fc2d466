#pragma once
// A settings box whose text counts only once it is finished: Enter, the focus leaving it, or a pause in the
// typing. Until then the value stored and everything worked out from it stay as they were; a text that is no
// valid value shows a red frame and a short hint beside the box instead of a message box. A text the program
// itself puts in (loading, the place picker, the arrows) is finished at once.
#include <functional>

#include <QObject>
#include <QString>

class QLabel;
class QLineEdit;
class QTimer;

namespace velunar::ui {

class FinishedEntry : public QObject {
    Q_OBJECT
  public:
    using Check = std::function<bool(const QString& text)>;
    // How long the typing must pause before the entry counts as finished.
    static constexpr int kIdleMs = 800;

    // `hint` is shown beside the box with `hintText` while the text fails `valid`; it is owned by the layout.
    FinishedEntry(QLineEdit* box, QLabel* hint, QString hintText, Check valid, QObject* parent = nullptr);

    bool hintShown() const { return hintShown_; }

  signals:
    // A finished entry whose text is valid.
    void finished(const QString& text);

  private:
    void onTextChanged(const QString& text);
    void finish();
    void showHint(bool show);

    QLineEdit* box_;
    QLabel* hint_;
    QString hintText_;
    Check valid_;
    QTimer* idle_;
    bool hintShown_ = false;
};

}  // namespace velunar::ui
