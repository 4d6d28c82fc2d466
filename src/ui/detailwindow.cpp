#include "ui/detailwindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDataWidgetMapper>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlField>
#include <QSqlIndex>
#include <QSqlRecord>
#include <QSqlTableModel>
#include <QToolButton>

#include "store/catalogue.h"
#include "store/store_error.h"

namespace velunar::ui {

namespace {

const QString kNameColumn = QStringLiteral("穴位");
const QString kPathColumn = QStringLiteral("图片路径");
const QString kTextColumn = QStringLiteral("穴位说明");

// While the program itself fills the boxes, their change signals are not the user typing.
class Loading {
  public:
    explicit Loading(int& depth) : depth_(depth) { ++depth_; }
    ~Loading() { --depth_; }
    Loading(const Loading&) = delete;
    Loading& operator=(const Loading&) = delete;

  private:
    int& depth_;
};

QString DatabaseMessage(const QSqlError& error) {
    const QString text = error.databaseText().trimmed();
    return text.isEmpty() ? error.text().trimmed() : text;
}

}  // namespace

// 穴位说明 in stored order, all rows fetched (the navigator's "last" and the find need every row). The
// name is the key of every update and delete: it is unique in the table, and keying on it alone keeps a
// picture path written meanwhile by the description step from making the row unfindable.
class DescriptionModel : public QSqlTableModel {
  public:
    DescriptionModel(QObject* parent, const QSqlDatabase& db) : QSqlTableModel(parent, db) {
        setTable(QString::fromUtf8(store::TableName(store::Table::Description)));
        setEditStrategy(OnManualSubmit);
        QSqlIndex key(tableName(), QStringLiteral("name_key"));
        key.append(record().field(kNameColumn));
        setPrimaryKey(key);
    }

    bool select() override {
        const bool ok = QSqlTableModel::select();
        while (ok && canFetchMore()) fetchMore();
        return ok;
    }

    int column(const QString& name) const { return record().indexOf(name); }

  protected:
    QString selectStatement() const override {
        const QString statement = QSqlTableModel::selectStatement();
        return statement.isEmpty() ? statement : statement + QStringLiteral(" ORDER BY rowid");
    }
};

void RefillingComboBox::showPopup() {
    emit aboutToDropDown();
    QComboBox::showPopup();
}

FrmDetail::FrmDetail(store::Database& db, QString connectionName, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      db_(db),
      connectionName_(std::move(connectionName)) {
    setObjectName(QStringLiteral("frmDetail"));
    setWindowTitle(QStringLiteral("穴位说明管理"));
    setFixedSize(591, 437);
    buildLayout();
    // The model must not outlive the connection: the main window closes it as the program ends.
    if (QCoreApplication* app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, &FrmDetail::releaseModel);
    updateButtons();
}

FrmDetail::~FrmDetail() {
    releaseModel();
}

void FrmDetail::buildLayout() {
    auto label = [this](const QString& text, int x, int y) {
        auto* l = new QLabel(text, this);
        l->setGeometry(x, y, 80, 24);
        return l;
    };
    auto button = [this](const char* name, const QString& text, int x, int y, int w) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(x, y, w, 28);
        return b;
    };

    Label1 = label(QStringLiteral("穴位名称："), 16, 14);
    DBEdit1 = new QLineEdit(this);
    DBEdit1->setObjectName(QStringLiteral("DBEdit1"));
    DBEdit1->setGeometry(96, 14, 200, 24);
    Label2 = label(QStringLiteral("图片路径："), 16, 48);
    DBEdit2 = new QLineEdit(this);
    DBEdit2->setObjectName(QStringLiteral("DBEdit2"));
    DBEdit2->setGeometry(96, 48, 440, 24);
    Button1 = button("Button1", QStringLiteral("..."), 542, 46, 33);
    Label3 = label(QStringLiteral("穴位说明："), 16, 82);
    DBMemo1 = new QPlainTextEdit(this);
    DBMemo1->setObjectName(QStringLiteral("DBMemo1"));
    DBMemo1->setGeometry(96, 82, 479, 260);
    DBMemo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    DBMemo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    DBMemo1->setLineWrapMode(QPlainTextEdit::NoWrap);

    DBNavigator1 = new QWidget(this);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    DBNavigator1->setGeometry(16, 354, 160, 28);
    auto nav = [this](const char* name, const char* text, const QString& tip, int index) {
        auto* b = new QToolButton(DBNavigator1);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(QString::fromLatin1(text));
        b->setToolTip(tip);
        b->setGeometry(index * 40, 0, 40, 28);
        return b;
    };
    navFirst_ = nav("First", "|<", QStringLiteral("第一条"), 0);
    navPrior_ = nav("Prior", "<", QStringLiteral("上一条"), 1);
    navNext_ = nav("Next", ">", QStringLiteral("下一条"), 2);
    navLast_ = nav("Last", ">|", QStringLiteral("最后一条"), 3);

    Button3 = button("Button3", QStringLiteral("查找定位："), 300, 354, 90);
    ComboBox1 = new RefillingComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setMaxVisibleItems(20);
    ComboBox1->setGeometry(396, 356, 179, 24);

    sADD = button("sADD", QStringLiteral("新增"), 16, 396, 80);
    sEDIt = button("sEDIt", QStringLiteral("修改"), 104, 396, 80);
    spost = button("spost", QStringLiteral("保存"), 192, 396, 80);
    sdel = button("sdel", QStringLiteral("删除"), 280, 396, 80);
    Button2 = button("Button2", QStringLiteral("取消／关闭"), 455, 396, 120);

    connect(DBEdit1, &QLineEdit::textEdited, this, &FrmDetail::beginEdit);
    connect(DBEdit2, &QLineEdit::textEdited, this, &FrmDetail::beginEdit);
    connect(DBMemo1, &QPlainTextEdit::textChanged, this, [this] {
        if (loading_ == 0) beginEdit();
    });
    connect(navFirst_, &QToolButton::clicked, this, &FrmDetail::First);
    connect(navPrior_, &QToolButton::clicked, this, &FrmDetail::Prior);
    connect(navNext_, &QToolButton::clicked, this, &FrmDetail::Next);
    connect(navLast_, &QToolButton::clicked, this, &FrmDetail::Last);
    connect(sADD, &QPushButton::clicked, this, &FrmDetail::sADDClick);
    connect(sEDIt, &QPushButton::clicked, this, &FrmDetail::sEDItClick);
    connect(spost, &QPushButton::clicked, this, &FrmDetail::spostClick);
    connect(sdel, &QPushButton::clicked, this, &FrmDetail::sdelClick);
    connect(Button1, &QPushButton::clicked, this, &FrmDetail::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &FrmDetail::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &FrmDetail::Button3Click);
    connect(ComboBox1, &RefillingComboBox::aboutToDropDown, this, &FrmDetail::ComboBox1DropDown);
}

int FrmDetail::currentRow() const {
    if (!mapper_) return -1;
    const int row = mapper_->currentIndex();
    return row >= 0 && row < ADOQuery1->rowCount() ? row : -1;
}

int FrmDetail::rowCount() const {
    return ADOQuery1 ? ADOQuery1->rowCount() : 0;
}

// --- The model's lifetime ---

void FrmDetail::openModel() {
    releaseModel();
    const QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
    if (!db.isOpen()) {
        report(QStringLiteral("数据库没有打开，无法管理穴位说明"));
        return;
    }
    Loading loading(loading_);
    ADOQuery1 = new DescriptionModel(this, db);
    ADOQuery1->setObjectName(QStringLiteral("ADOQuery1"));
    if (!ADOQuery1->select()) report(DatabaseMessage(ADOQuery1->lastError()));
    mapper_ = new QDataWidgetMapper(this);
    mapper_->setSubmitPolicy(QDataWidgetMapper::ManualSubmit);
    mapper_->setModel(ADOQuery1);
    mapper_->addMapping(DBEdit1, ADOQuery1->column(kNameColumn));
    mapper_->addMapping(DBEdit2, ADOQuery1->column(kPathColumn));
    mapper_->addMapping(DBMemo1, ADOQuery1->column(kTextColumn), "plainText");
    DBEdit1->clear();
    DBEdit2->clear();
    DBMemo1->clear();
    mapper_->toFirst();
}

void FrmDetail::releaseModel() {
    delete mapper_;
    mapper_ = nullptr;
    delete ADOQuery1;
    ADOQuery1 = nullptr;
    mode_ = Mode::Browse;
}

// --- Modes ---

void FrmDetail::beginEdit() {
    if (mode_ != Mode::Browse || !mapper_) return;
    if (currentRow() >= 0) {
        mode_ = Mode::Edit;
        updateButtons();
        return;
    }
    // Typing into an empty table starts a new row and keeps what was typed.
    const QString name = DBEdit1->text();
    const QString path = DBEdit2->text();
    const QString text = DBMemo1->toPlainText();
    sADDClick();
    Loading loading(loading_);
    DBEdit1->setText(name);
    DBEdit2->setText(path);
    DBMemo1->setPlainText(text);
}

bool FrmDetail::post() {
    if (!mapper_ || currentRow() < 0) return false;
    Loading loading(loading_);
    const int row = currentRow();
    const QString name = DBEdit1->text();
    mapper_->submit();
    // An empty name goes in as NULL, so the database's NOT NULL refuses a row nobody could find.
    if (name.isEmpty()) ADOQuery1->setData(ADOQuery1->index(row, ADOQuery1->column(kNameColumn)), QVariant());
    if (!makeWritable()) return false;
    if (!ADOQuery1->submitAll()) {
        report(DatabaseMessage(ADOQuery1->lastError()));
        return false;
    }
    mode_ = Mode::Browse;
    const int stored = findRow(name, false);
    moveTo(stored >= 0 ? stored : 0);
    return true;
}

void FrmDetail::discard() {
    if (!mapper_) return;
    Loading loading(loading_);
    const int back = mode_ == Mode::Insert ? rowBeforeInsert_ : currentRow();
    ADOQuery1->revertAll();
    mode_ = Mode::Browse;
    mapper_->setCurrentIndex(std::min(back, ADOQuery1->rowCount() - 1));
    mapper_->revert();
    if (currentRow() < 0) {
        DBEdit1->clear();
        DBEdit2->clear();
        DBMemo1->clear();
    }
    updateButtons();
}

bool FrmDetail::storeBeforeMove() {
    return mode_ == Mode::Browse || post();
}

void FrmDetail::moveTo(int row) {
    if (!mapper_ || row < 0 || row >= ADOQuery1->rowCount()) {
        updateButtons();
        return;
    }
    Loading loading(loading_);
    mapper_->setCurrentIndex(row);
    updateButtons();
}

int FrmDetail::findRow(const QString& name, bool prefix) const {
    if (!ADOQuery1) return -1;
    const int column = ADOQuery1->column(kNameColumn);
    for (int row = 0; row < ADOQuery1->rowCount(); ++row) {
        const QString value = ADOQuery1->data(ADOQuery1->index(row, column)).toString();
        if (prefix ? value.startsWith(name) : value == name) return row;
    }
    return -1;
}

void FrmDetail::updateButtons() {
    const int row = currentRow();
    const int count = rowCount();
    navFirst_->setEnabled(row > 0);
    navPrior_->setEnabled(row > 0);
    navNext_->setEnabled(row >= 0 && row < count - 1);
    navLast_->setEnabled(row >= 0 && row < count - 1);
    const bool open = mapper_ != nullptr;
    for (QWidget* w :
         {static_cast<QWidget*>(sADD), static_cast<QWidget*>(sEDIt), static_cast<QWidget*>(spost),
          static_cast<QWidget*>(sdel), static_cast<QWidget*>(Button1), static_cast<QWidget*>(Button3)})
        w->setEnabled(open);
}

// --- Handlers ---

void FrmDetail::FormShow() {
    if (mode_ != Mode::Browse) discard();
    openModel();
    mode_ = Mode::Browse;
    ComboBox1->setEditText(QString());
    updateButtons();
}

void FrmDetail::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;  // restored after minimising: keep the row and its change
    if (!centred_) {
        if (const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
        centred_ = true;
    }
    FormShow();
}

void FrmDetail::closeEvent(QCloseEvent* event) {
    if (mode_ != Mode::Browse) discard();
    releaseModel();
    QWidget::closeEvent(event);
}

void FrmDetail::sADDClick() {
    if (!mapper_ || !storeBeforeMove()) return;
    Loading loading(loading_);
    rowBeforeInsert_ = currentRow();
    const int row = ADOQuery1->rowCount();
    if (!ADOQuery1->insertRow(row)) {
        report(DatabaseMessage(ADOQuery1->lastError()));
        return;
    }
    mapper_->setCurrentIndex(row);
    mode_ = Mode::Insert;
    DBEdit1->setFocus();
    updateButtons();
}

void FrmDetail::sEDItClick() {
    beginEdit();
}

void FrmDetail::spostClick() {
    post();
}

void FrmDetail::sdelClick() {
    if (!ask(QStringLiteral("是否删除当前选择的记录?"))) return;
    if (mode_ == Mode::Insert) {  // the new row was never stored: deleting it drops it
        discard();
        return;
    }
    const int row = currentRow();
    if (row < 0) {
        report(QStringLiteral("没有可删除的记录"));
        return;
    }
    Loading loading(loading_);
    if (!makeWritable()) return;
    ADOQuery1->revertAll();
    mode_ = Mode::Browse;
    ADOQuery1->removeRow(row);
    if (!ADOQuery1->submitAll()) {
        report(DatabaseMessage(ADOQuery1->lastError()));
        ADOQuery1->revertAll();
    }
    mapper_->setCurrentIndex(std::min(row, ADOQuery1->rowCount() - 1));
    mapper_->revert();
    if (currentRow() < 0) {
        DBEdit1->clear();
        DBEdit2->clear();
        DBMemo1->clear();
    }
    updateButtons();
}

void FrmDetail::Button1Click() {
    if (!mapper_) return;
    const QString path =
        openFile_ ? openFile_()
                  : QFileDialog::getOpenFileName(this, QStringLiteral("打开"), QString(), QString());
    if (path.isEmpty()) return;
    if (mode_ != Mode::Browse) {
        DBEdit2->setText(path);  // stored with the rest of the row by "保存"
        return;
    }
    beginEdit();
    DBEdit2->setText(path);
    post();
}

void FrmDetail::Button2Click() {
    if (mode_ != Mode::Browse) discard();
    close();
}

void FrmDetail::Button3Click() {
    const QString text = ComboBox1->currentText();
    if (findRow(text, true) < 0) return;
    if (!storeBeforeMove()) return;
    moveTo(findRow(text, true));
}

void FrmDetail::ComboBox1DropDown() {
    const QString typed = ComboBox1->currentText();
    ComboBox1->clear();
    try {
        const store::Result rows = db_.Run(store::QueryId::DescriptionAll);
        QStringList names;
        for (const std::string& name : rows.Column(kNameColumn.toStdString()))
            names << QString::fromStdString(name);
        ComboBox1->addItems(names);
    } catch (const store::StoreError& e) {
        report(QString::fromUtf8(e.what()));
    }
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->setEditText(typed);
}

void FrmDetail::First() {
    if (storeBeforeMove()) moveTo(0);
}

void FrmDetail::Prior() {
    if (storeBeforeMove()) moveTo(currentRow() - 1);
}

void FrmDetail::Next() {
    if (storeBeforeMove()) moveTo(currentRow() + 1);
}

void FrmDetail::Last() {
    if (storeBeforeMove()) moveTo(rowCount() - 1);
}

// The model writes on the store's connection, past the store's own writers: it asks first.
bool FrmDetail::makeWritable() {
    try {
        db_.EnsureWritable();
        return true;
    } catch (const store::StoreError& e) {
        report(QString::fromUtf8(e.what()));
        return false;
    }
}

// --- Dialogs ---

void FrmDetail::report(const QString& text) {
    if (message_) {
        message_(text);
        return;
    }
    QMessageBox::warning(this, windowTitle(), text);
}

bool FrmDetail::ask(const QString& text) {
    if (confirm_) return confirm_(text);
    return QMessageBox::question(this, windowTitle(), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace velunar::ui
