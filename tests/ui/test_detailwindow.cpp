// The description manager against a temporary copy of the shipped database: the round trips of adding,
// editing, saving, deleting and cancelling, the find box, the picture path, and rows the database refuses.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QFile>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "store/catalogue.h"
#include "store/database.h"
#include "ui/detailwindow.h"

using velunar::store::Database;
using velunar::store::QueryId;
using velunar::store::Table;
using velunar::ui::DescriptionManager;
using Mode = velunar::ui::DescriptionManager::Mode;

namespace {

const QString kConnection = QStringLiteral("detail_test");

std::string Utf8(const QString& text) {
    return text.toStdString();
}

// Chinese text arrives as an input method's commit, as it does from a real keyboard.
void Type(QWidget* box, const QString& text) {
    box->setFocus();
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(box, &event);
}

}  // namespace

class DetailWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString path_;
    std::unique_ptr<Database> db_;
    std::unique_ptr<DescriptionManager> w_;
    QStringList messages_;
    QStringList questions_;
    bool answer_ = true;
    QString chosenFile_;
    QStringList unsavedAsked_;
    DescriptionManager::Unsaved unsavedAnswer_ = DescriptionManager::Unsaved::Drop;

    template <typename T>
    T* child(const char* name) {
        T* found = w_->findChild<T*>(QString::fromLatin1(name));
        if (!found) qFatal("no control %s", name);
        return found;
    }
    QLineEdit* name() { return child<QLineEdit>("nameEdit"); }
    QLineEdit* picture() { return child<QLineEdit>("picturePathEdit"); }
    QPlainTextEdit* memo() { return child<QPlainTextEdit>("descriptionEdit"); }
    void click(const char* button) {
        if (auto* b = w_->findChild<QPushButton*>(QString::fromLatin1(button))) {
            QTest::mouseClick(b, Qt::LeftButton);
        } else {
            QTest::mouseClick(child<QToolButton>(button), Qt::LeftButton);
        }
    }
    std::optional<velunar::store::Row> stored(const QString& point) {
        return db_->Locate(Table::Description, "穴位", Utf8(point));
    }
    std::vector<std::string> names() { return db_->Run(QueryId::DescriptionAll).Column("穴位"); }

  private slots:
    void init() {
        QVERIFY(dir_.isValid());
        path_ = dir_.filePath(QStringLiteral("db1.sqlite"));
        QFile::remove(path_);
        QVERIFY(QFile::copy(QStringLiteral(VELUNAR_BIN_DIR "/db1.sqlite"), path_));
        QFile::setPermissions(path_, QFile::ReadOwner | QFile::WriteOwner);
        db_ = std::make_unique<Database>(kConnection);
        db_->Open(path_);
        w_ = std::make_unique<DescriptionManager>(*db_);
        messages_.clear();
        questions_.clear();
        answer_ = true;
        chosenFile_.clear();
        w_->setMessageHook([this](const QString& m) { messages_ << m; });
        w_->setConfirmHook([this](const QString& q) {
            questions_ << q;
            return answer_;
        });
        w_->setOpenFileHook([this] { return chosenFile_; });
        unsavedAsked_.clear();
        unsavedAnswer_ = DescriptionManager::Unsaved::Drop;
        w_->setUnsavedHook([this](const QString& q) {
            unsavedAsked_ << q;
            return unsavedAnswer_;
        });
        w_->show();
    }

    void cleanup() {
        w_.reset();
        db_.reset();
    }

    void showsTheFirstRowEveryTime() {
        QCOMPARE(w_->size(), QSize(591, 437));
        QCOMPARE(w_->windowTitle(), QStringLiteral("穴位说明管理"));
        QCOMPARE(w_->rowCount(), int(names().size()));
        QCOMPARE(name()->text(), QString::fromStdString(names().front()));
        click("lastButton");
        QCOMPARE(w_->currentRow(), w_->rowCount() - 1);
        QCOMPARE(name()->text(), QString::fromStdString(names().back()));
        child<QComboBox>("findBox")->setEditText(QStringLiteral("足"));
        w_->close();
        w_->show();
        QCOMPARE(w_->currentRow(), 0);
        QCOMPARE(child<QComboBox>("findBox")->currentText(), QString());
        QVERIFY(messages_.isEmpty());
    }

    void addedPointReachesThePointList() {
        const int before = w_->rowCount();
        click("addButton");
        QCOMPARE(w_->mode(), Mode::Insert);
        QCOMPARE(name()->text(), QString());
        Type(name(), QStringLiteral("新穴"));
        Type(memo(), QStringLiteral("说明文字"));
        click("saveButton");
        QVERIFY(messages_.isEmpty());
        QCOMPARE(w_->mode(), Mode::Browse);
        QCOMPARE(w_->findChild<QLabel*>(QStringLiteral("statusLine"))->toolTip(),
                 QStringLiteral("已保存：新穴"));
        QCOMPARE(w_->rowCount(), before + 1);
        QCOMPARE(name()->text(), QStringLiteral("新穴"));
        const auto row = stored(QStringLiteral("新穴"));
        QVERIFY(row);
        QCOMPARE(row->Value("穴位说明"), Utf8(QStringLiteral("说明文字")));

        // The reverse lookup reads its point list afresh from the reopened file.
        w_->close();
        db_->Close();
        db_->Open(path_);
        const auto points = db_->Run(QueryId::PointList).Column("穴位");
        QVERIFY(std::find(points.begin(), points.end(), Utf8(QStringLiteral("新穴"))) != points.end());
    }

    void typingEditsAndSaveStores() {
        const QString first = name()->text();
        Type(memo(), QStringLiteral("补充"));
        QCOMPARE(w_->mode(), Mode::Edit);
        click("saveButton");
        QCOMPARE(w_->mode(), Mode::Browse);
        QVERIFY(QString::fromStdString(stored(first)->Value("穴位说明")).startsWith(QStringLiteral("补充")));

        click("nextButton");
        click("editButton");
        QCOMPARE(w_->mode(), Mode::Edit);
        const QString second = name()->text();
        name()->setText(second + QStringLiteral("改"));
        click("saveButton");
        QVERIFY(stored(second + QStringLiteral("改")));
        QVERIFY(!stored(second));
        QCOMPARE(w_->currentRow(), 1);
    }

    // A read-only database file is left so while browsing; the first save makes it writable, says so
    // once, and the table keeps working on the reopened connection (a second save, then a delete).
    void readOnlyFileBecomesWritableAtTheFirstSave() {
        w_.reset();
        db_->Close();
        QVERIFY(QFile::setPermissions(path_, QFile::ReadOwner | QFile::ReadGroup));
        QStringList notices;
        db_->SetWritableNotice([&](const std::string& text) { notices << QString::fromStdString(text); });
        db_->Open(path_);
        w_ = std::make_unique<DescriptionManager>(*db_);
        w_->setMessageHook([this](const QString& m) { messages_ << m; });
        w_->setConfirmHook([](const QString&) { return true; });
        w_->show();
        click("nextButton");
        click("firstButton");
        QVERIFY(!(QFile::permissions(path_) & QFile::WriteOwner));

        const QString first = name()->text();
        Type(memo(), QStringLiteral("补充"));
        click("saveButton");
        QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));
        QVERIFY(QFile::permissions(path_) & QFile::WriteOwner);
        QCOMPARE(notices.size(), 1);
        QVERIFY(notices[0].contains(QStringLiteral("数据库文件原为只读，已改为可写")));
        QVERIFY(QString::fromStdString(stored(first)->Value("穴位说明")).startsWith(QStringLiteral("补充")));

        click("nextButton");
        const QString second = name()->text();
        Type(memo(), QStringLiteral("再补"));
        click("saveButton");
        QVERIFY(QString::fromStdString(stored(second)->Value("穴位说明")).startsWith(QStringLiteral("再补")));
        click("deleteButton");
        QVERIFY(!stored(second));
        QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));
        QCOMPARE(notices.size(), 1);
    }

    // "取消／关闭", the close box and Esc ask before an edit is dropped: go on editing, store it, or drop it.
    void cancelAndCloseAskFirst() {
        const QString first = name()->text();
        const std::string text = stored(first)->Value("穴位说明");
        click("editButton");
        click("closeButton");  // editing, nothing changed: nothing to ask
        QVERIFY(unsavedAsked_.isEmpty());
        QVERIFY(!w_->isVisible());
        w_->show();
        Type(memo(), QStringLiteral("不要"));
        unsavedAnswer_ = DescriptionManager::Unsaved::KeepEditing;
        click("closeButton");
        QCOMPARE(unsavedAsked_.size(), 1);
        QVERIFY(unsavedAsked_[0].contains(first));
        QVERIFY(w_->isVisible());
        QCOMPARE(w_->mode(), Mode::Edit);
        QVERIFY(memo()->toPlainText().contains(QStringLiteral("不要")));
        unsavedAnswer_ = DescriptionManager::Unsaved::Drop;
        click("closeButton");
        QVERIFY(!w_->isVisible());
        QCOMPARE(stored(first)->Value("穴位说明"), text);

        w_->show();
        Type(memo(), QStringLiteral("要"));
        unsavedAnswer_ = DescriptionManager::Unsaved::Store;
        w_->close();
        QVERIFY(!w_->isVisible());
        QVERIFY(QString::fromStdString(stored(first)->Value("穴位说明")).contains(QStringLiteral("要")));
        unsavedAnswer_ = DescriptionManager::Unsaved::Drop;

        w_->show();
        const int count = w_->rowCount();
        click("addButton");
        Type(name(), QStringLiteral("未存"));
        w_->close();  // the window's close box
        QVERIFY(!stored(QStringLiteral("未存")));
        w_->show();
        QCOMPARE(w_->rowCount(), count);
        QCOMPARE(w_->mode(), Mode::Browse);
    }

    void movingStoresThePendingChange() {
        const QString first = name()->text();
        Type(picture(), QStringLiteral("pic\\a.jpg"));
        click("nextButton");
        QCOMPARE(w_->mode(), Mode::Browse);
        QCOMPARE(w_->currentRow(), 1);
        QCOMPARE(stored(first)->Value("图片路径"), std::string("pic\\a.jpg"));

        // Inserting, then moving: the new row is stored first.
        click("addButton");
        Type(name(), QStringLiteral("移前存"));
        click("firstButton");
        QCOMPARE(w_->currentRow(), 0);
        QVERIFY(stored(QStringLiteral("移前存")));
    }

    void deleteAsksFirst() {
        const QString first = name()->text();
        const int count = w_->rowCount();
        answer_ = false;
        click("deleteButton");
        QCOMPARE(questions_, QStringList{QStringLiteral("是否删除当前选择的记录?")});
        QVERIFY(stored(first));
        answer_ = true;
        click("deleteButton");
        QVERIFY(!stored(first));
        QCOMPARE(w_->rowCount(), count - 1);
        QCOMPARE(w_->currentRow(), 0);
        QCOMPARE(name()->text(), QString::fromStdString(names().front()));
    }

    void picturePickedWhileBrowsingIsStoredAtOnce() {
        const QString first = name()->text();
        chosenFile_ = QStringLiteral("/home/user/图片/中府.jpg");
        click("choosePictureButton");
        QCOMPARE(w_->mode(), Mode::Browse);
        QCOMPARE(stored(first)->Value("图片路径"), Utf8(chosenFile_));

        // While editing it only changes the box, and cancelling keeps the stored path.
        click("editButton");
        chosenFile_ = QStringLiteral("/tmp/other.jpg");
        click("choosePictureButton");
        QCOMPARE(picture()->text(), chosenFile_);
        QCOMPARE(w_->mode(), Mode::Edit);
        click("closeButton");
        QCOMPARE(stored(first)->Value("图片路径"), Utf8(QStringLiteral("/home/user/图片/中府.jpg")));

        // A cancelled dialog changes nothing.
        w_->show();
        chosenFile_.clear();
        click("choosePictureButton");
        QCOMPARE(w_->mode(), Mode::Browse);
    }

    void findMovesToTheFirstPrefixMatch() {
        auto* box = child<QComboBox>("findBox");
        const auto all = names();
        const auto expected =
            std::find_if(all.begin(), all.end(), [](const std::string& n) { return n.rfind("足", 0) == 0; });
        QVERIFY(expected != all.end());
        box->setEditText(QStringLiteral("足"));
        click("findButton");
        QCOMPARE(w_->currentRow(), int(expected - all.begin()));
        box->setEditText(QStringLiteral("足三"));
        click("findButton");
        QCOMPARE(name()->text(), QStringLiteral("足三里"));
        const int row = w_->currentRow();
        box->setEditText(QStringLiteral("没有这个穴"));
        click("findButton");
        QCOMPARE(w_->currentRow(), row);
    }

    void findBoxTypesAheadByPinyinAndCode() {
        auto* box = child<QComboBox>("findBox");
        // A code finds its point's row, and the box then names the point.
        box->setEditText(QStringLiteral("sp4"));
        click("findButton");
        QCOMPARE(name()->text(), QStringLiteral("公孙"));
        QCOMPARE(box->currentText(), QStringLiteral("公孙"));
        // Pinyin typed, before the drop-down was ever opened: the matches show under the box, the one
        // chosen is put in as its name.
        w_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w_.get()));
        box->setEditText(QString());
        box->lineEdit()->setFocus();
        QTest::keyClicks(box->lineEdit(), QStringLiteral("taiyu"));
        QAbstractItemView* matches = box->lineEdit()->completer()->popup();
        QTRY_VERIFY(matches->isVisible());
        QCOMPARE(matches->model()->rowCount(), 1);
        QCOMPARE(matches->model()->index(0, 0).data().toString(), QStringLiteral("太渊  LU9  tài yuān"));
        QTest::keyClick(matches, Qt::Key_Down);
        QTest::keyClick(matches, Qt::Key_Return);
        QCOMPARE(box->currentText(), QStringLiteral("太渊"));
        click("findButton");
        QCOMPARE(name()->text(), QStringLiteral("太渊"));
    }

    void dropDownListsEveryStoredName() {
        db_->Append(Table::Description, velunar::store::Row{{"穴位", " 带空格 "}});
        auto* box = child<QComboBox>("findBox");
        box->setEditText(QStringLiteral("中"));
        box->showPopup();
        box->hidePopup();
        const auto all = names();
        QCOMPARE(box->count(), int(all.size()));
        QCOMPARE(box->itemText(box->count() - 1), QStringLiteral(" 带空格 "));
        QCOMPARE(box->itemText(0), QString::fromStdString(all.front()));
        QCOMPARE(box->currentText(), QStringLiteral("中"));
    }

    void refusedRowsKeepTheirMode() {
        const QString first = name()->text();
        click("addButton");
        Type(name(), first);
        click("saveButton");
        QCOMPARE(messages_,
                 QStringList{QStringLiteral("数据库错误：UNIQUE constraint failed: 穴位说明.穴位")});
        QCOMPARE(w_->mode(), Mode::Insert);
        QCOMPARE(name()->text(), first);
        name()->setText(first + QStringLiteral("二"));
        click("saveButton");
        QCOMPARE(w_->mode(), Mode::Browse);
        QVERIFY(stored(first + QStringLiteral("二")));

        // An empty name is refused too, and "取消／关闭" drops the row.
        messages_.clear();
        const int count = w_->rowCount();
        click("addButton");
        click("saveButton");
        QCOMPARE(messages_.size(), 1);
        QVERIFY(messages_[0].startsWith(QStringLiteral("数据库错误：NOT NULL constraint failed")));
        QCOMPARE(w_->mode(), Mode::Insert);
        click("closeButton");
        w_->show();
        QCOMPARE(w_->rowCount(), count);

        // Renaming a row to a name in use leaves it in edit mode with the typed name.
        messages_.clear();
        click("nextButton");
        const QString second = name()->text();
        name()->clear();
        Type(name(), first);
        click("saveButton");
        QCOMPARE(messages_.size(), 1);
        QCOMPARE(w_->mode(), Mode::Edit);
        QCOMPARE(name()->text(), first);
        QVERIFY(stored(second));
        // A move is refused the same way and stays on the row.
        click("nextButton");
        QCOMPARE(messages_.size(), 2);
        QCOMPARE(w_->currentRow(), 1);
        click("closeButton");
        QVERIFY(stored(second));

        // Clearing a stored row's name is refused as well, and the row keeps its name.
        messages_.clear();
        w_->show();
        click("editButton");
        name()->clear();
        click("saveButton");
        QCOMPARE(messages_.size(), 1);
        QVERIFY(messages_[0].startsWith(QStringLiteral("数据库错误：NOT NULL constraint failed")));
        QCOMPARE(w_->mode(), Mode::Edit);
        QVERIFY(stored(first));
    }
};

QTEST_MAIN(DetailWindowTest)
#include "test_detailwindow.moc"
