#pragma once
// frmDetail "穴位说明管理": the one place where the user maintains the table 穴位说明, the descriptions and
// picture paths of the points. ADOQuery1 is an editable table model on the store's own connection; the
// three bound boxes show its current row through a mapper that writes only when a row is stored.
//
// The current row is browsed, edited or inserted, as in a data set: typing into a bound box or "修改"
// starts editing, "新增" inserts, "保存" and any move to another row store the change, "取消／关闭" and
// closing the window discard it. A change the database refuses (an empty or duplicate name) is reported
// with the database's message and the row stays in its mode.
#include <functional>

#include <QComboBox>
#include <QWidget>

#include "store/database.h"

class QDataWidgetMapper;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace velunar::ui {

class DescriptionModel;

// An editable drop-down that asks for its list each time it opens.
class RefillingComboBox : public QComboBox {
    Q_OBJECT
  public:
    using QComboBox::QComboBox;
    void showPopup() override;
  signals:
    void aboutToDropDown();
};

class FrmDetail : public QWidget {
    Q_OBJECT
  public:
    enum class Mode { Browse, Edit, Insert };

    using ConfirmHook = std::function<bool(const QString& text)>;  // a Yes/No question; true for Yes
    using MessageHook = std::function<void(const QString& text)>;
    using OpenFileHook = std::function<QString()>;  // a chosen file's full path; empty when cancelled

    // `db` runs the name list of the find box; `connectionName` is the Qt SQL connection name that `db`
    // was created with, on which the editable model works. Neither is used before the window is shown.
    FrmDetail(store::Database& db, QString connectionName, QWidget* parent = nullptr);
    ~FrmDetail() override;

    // Dialogs go through these, so tests never block; unset, they are the usual modal boxes.
    void setConfirmHook(ConfirmHook hook) { confirm_ = std::move(hook); }
    void setMessageHook(MessageHook hook) { message_ = std::move(hook); }
    void setOpenFileHook(OpenFileHook hook) { openFile_ = std::move(hook); }

    Mode mode() const { return mode_; }
    // The model's row shown in the boxes, -1 when there is none.
    int currentRow() const;
    int rowCount() const;

  public slots:
    void FormShow();
    void sADDClick();
    void sEDItClick();
    void spostClick();
    void sdelClick();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void ComboBox1DropDown();
    void First();
    void Prior();
    void Next();
    void Last();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildLayout();
    void openModel();
    void releaseModel();
    void beginEdit();
    bool post();
    bool makeWritable();
    void discard();
    bool storeBeforeMove();
    void moveTo(int row);
    int findRow(const QString& name, bool prefix) const;
    void updateButtons();
    void report(const QString& text);
    bool ask(const QString& text);

    store::Database& db_;
    QString connectionName_;
    ConfirmHook confirm_;
    MessageHook message_;
    OpenFileHook openFile_;
    DescriptionModel* ADOQuery1 = nullptr;
    QDataWidgetMapper* mapper_ = nullptr;
    Mode mode_ = Mode::Browse;
    int rowBeforeInsert_ = -1;
    int loading_ = 0;  // > 0 while the program itself fills the boxes
    bool centred_ = false;

    QLabel* Label1 = nullptr;
    QLineEdit* DBEdit1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* DBEdit2 = nullptr;
    QPushButton* Button1 = nullptr;
    QLabel* Label3 = nullptr;
    QPlainTextEdit* DBMemo1 = nullptr;
    QWidget* DBNavigator1 = nullptr;
    QToolButton* navFirst_ = nullptr;
    QToolButton* navPrior_ = nullptr;
    QToolButton* navNext_ = nullptr;
    QToolButton* navLast_ = nullptr;
    QPushButton* sADD = nullptr;
    QPushButton* sEDIt = nullptr;
    QPushButton* spost = nullptr;
    QPushButton* sdel = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    RefillingComboBox* ComboBox1 = nullptr;
};

}  // namespace velunar::ui
