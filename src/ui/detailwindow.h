#pragma once
// The description manager "穴位说明管理": the one place where the user maintains the table 穴位说明, the
// descriptions and picture paths of the points. It edits through the store's row operations, so a
// refused change or a locked database is reported with the store's own message.
//
// The current row is browsed, edited or inserted, as in a data set: typing into a box or "修改" starts
// editing, "新增" inserts, "保存" and any move to another row store the change, "取消／关闭" and closing the
// window ask first whether to store it, drop it or go on editing. A change the database refuses (an empty or
// duplicate name) is reported and the row stays in its mode with what was typed.
#include <functional>
#include <memory>
#include <vector>

#include <QWidget>

#include "store/database.h"
#include "ui/secondary.h"

namespace Ui {
class DescriptionManager;
}

class QLabel;

namespace velunar::ui {

class DescriptionManager : public QWidget {
    Q_OBJECT
  public:
    enum class Mode { Browse, Edit, Insert };

    using ConfirmHook = std::function<bool(const QString& text)>;  // a Yes/No question; true for Yes
    using OpenFileHook = std::function<QString()>;  // a chosen file's full path; empty when cancelled
    // What to do with a change not yet stored when the window is to close.
    enum class Unsaved { Store, Drop, KeepEditing };
    using UnsavedHook = std::function<Unsaved(const QString& text)>;

    // `db` is not used before the window is shown.
    explicit DescriptionManager(store::Database& db, QWidget* parent = nullptr);
    ~DescriptionManager() override;

    // Dialogs go through these, so tests never block; unset, they are the usual modal boxes.
    void setConfirmHook(ConfirmHook hook) { confirm_ = std::move(hook); }
    void setMessageHook(WarningHook hook) { message_ = std::move(hook); }
    void setOpenFileHook(OpenFileHook hook) { openFile_ = std::move(hook); }
    void setUnsavedHook(UnsavedHook hook) { unsaved_ = std::move(hook); }

    Mode mode() const { return mode_; }
    // The row shown in the boxes, -1 when there is none.
    int currentRow() const { return current_; }
    // Rows loaded when the window was shown, the one being inserted included.
    int rowCount() const { return static_cast<int>(rows_.size()); }

  public slots:
    void onAddClicked();
    void onEditClicked();
    void onSaveClicked();
    void onDeleteClicked();
    void onChoosePictureClicked();
    void onCloseClicked();
    void onFindClicked();
    void refillFindBox();
    void goFirst();
    void goPrior();
    void goNext();
    void goLast();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    bool reload();
    void showRow(int row);
    void beginEdit();
    bool post();
    void discard();
    bool storeBeforeMove();
    void moveTo(int row);
    int findRow(const QString& name, bool prefix) const;
    int rowToFind() const;
    void offerNames();
    void updateButtons();
    bool ask(const QString& text);
    // The boxes say something the stored row does not.
    bool hasChanges() const;
    // Before the window closes: a change is stored or dropped as the user says; false to keep editing.
    bool settleBeforeClosing();

    store::Database& db_;
    std::unique_ptr<::Ui::DescriptionManager> ui_;
    ConfirmHook confirm_;
    WarningHook message_;
    OpenFileHook openFile_;
    UnsavedHook unsaved_;
    std::vector<store::Row> rows_;  // 穴位说明 in stored order; an inserted row has no key yet
    bool loaded_ = false;
    int current_ = -1;
    Mode mode_ = Mode::Browse;
    QLabel* statusLine_ = nullptr;  // says what the last 保存 stored, until the next edit
    int rowBeforeInsert_ = -1;
    int filling_ = 0;  // > 0 while the program itself fills the boxes
};

}  // namespace velunar::ui
