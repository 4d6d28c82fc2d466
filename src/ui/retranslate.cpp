#include "ui/retranslate.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QTabWidget>
#include <QTranslator>

namespace velunar::ui {
namespace {

struct Resaid {
    store::Language from;
    store::Language to;
    QHash<QString, QString> texts;  // as shown in `from` → the key of the source
};

QTranslator*& QtOwn() {
    static QTranslator* qt = nullptr;
    return qt;
}

// A text on screen in the new language. The key of its source is kept on the object under `field` once seen:
// two sources that read alike in one language (two Chinese captions with one English) each come back as
// themselves.
void Swap(QObject* o, const QByteArray& field, const Resaid& said, const QString& shown,
          const std::function<void(const QString&)>& set) {
    if (shown.isEmpty()) return;
    const QByteArray name = QByteArrayLiteral("velunarSource_") + field;
    QString key = o->property(name.constData()).toString();
    if (key.isEmpty() || store::SaidText(key, said.from) != shown) {
        const auto at = said.texts.constFind(shown);
        if (at == said.texts.constEnd()) return;
        key = *at;
        o->setProperty(name.constData(), key);
    }
    const QString now = store::SaidText(key, said.to);
    if (now != shown) set(now);
}

void ResayOne(QWidget* w, const Resaid& texts) {
    Swap(w, "toolTip", texts, w->toolTip(), [w](const QString& t) { w->setToolTip(t); });
    if (w->isWindow())
        Swap(w, "windowTitle", texts, w->windowTitle(), [w](const QString& t) { w->setWindowTitle(t); });
    if (auto* l = qobject_cast<QLabel*>(w))
        Swap(l, "text", texts, l->text(), [l](const QString& t) { l->setText(t); });
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        Swap(b, "text", texts, b->text(), [b](const QString& t) { b->setText(t); });
    if (auto* g = qobject_cast<QGroupBox*>(w))
        Swap(g, "title", texts, g->title(), [g](const QString& t) { g->setTitle(t); });
    if (auto* e = qobject_cast<QLineEdit*>(w))
        Swap(e, "placeholder", texts, e->placeholderText(),
             [e](const QString& t) { e->setPlaceholderText(t); });
    if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
        for (int i = 0; i < tabs->count(); ++i) {
            Swap(tabs, "tab" + QByteArray::number(i), texts, tabs->tabText(i),
                 [tabs, i](const QString& t) { tabs->setTabText(i, t); });
            Swap(tabs, "tabToolTip" + QByteArray::number(i), texts, tabs->tabToolTip(i),
                 [tabs, i](const QString& t) { tabs->setTabToolTip(i, t); });
        }
    }
    // A list the user picks from, never one whose text is a value the settings keep (those are editable).
    if (auto* c = qobject_cast<QComboBox*>(w); c && !c->isEditable()) {
        for (int i = 0; i < c->count(); ++i)
            Swap(c, "item" + QByteArray::number(i), texts, c->itemText(i),
                 [c, i](const QString& t) { c->setItemText(i, t); });
    }
    if (auto* m = qobject_cast<QMenu*>(w))
        Swap(m, "title", texts, m->title(), [m](const QString& t) { m->setTitle(t); });
    for (QAction* a : w->actions()) {
        Swap(a, "text", texts, a->text(), [a](const QString& t) { a->setText(t); });
        Swap(a, "toolTip", texts, a->toolTip(), [a](const QString& t) { a->setToolTip(t); });
    }
}

}  // namespace

void Resay(QWidget* root, store::Language from, store::Language to) {
    const Resaid texts{from, to, store::ResaidTexts(from)};
    ResayOne(root, texts);
    for (QWidget* w : root->findChildren<QWidget*>()) ResayOne(w, texts);
}

void InstallTranslators() {
    if (QTranslator* velunar = store::CurrentCatalogue()) QCoreApplication::installTranslator(velunar);
    // Qt's own dialogs and standard buttons (保存, 取消, 打开) in Chinese, from Qt's translations when
    // installed.
    if (store::CurrentLanguage() == store::Language::Chinese && !QtOwn()) {
        auto* qt = new QTranslator(qApp);
        if (qt->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(qt);
            QtOwn() = qt;
        } else {
            delete qt;
        }
    }
}

bool SwitchLanguage(store::Language language) {
    const store::Language from = store::CurrentLanguage();
    if (language == from) return true;
    if (QTranslator* old = store::CurrentCatalogue()) QCoreApplication::removeTranslator(old);
    if (!store::SetLanguage(language)) {
        if (QTranslator* kept = store::CurrentCatalogue()) QCoreApplication::installTranslator(kept);
        return false;
    }
    if (QtOwn() && language != store::Language::Chinese) {
        QCoreApplication::removeTranslator(QtOwn());
        delete QtOwn();
        QtOwn() = nullptr;
    }
    InstallTranslators();
    for (QWidget* top : QApplication::topLevelWidgets()) Resay(top, from, language);
    return true;
}

}  // namespace velunar::ui
