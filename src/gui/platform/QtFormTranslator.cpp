#include "platform/QtFormTranslator.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTabWidget>
#include <QTreeWidget>
#include <QWidget>

#include "lang/TLanguages.h"
#include "platform/QtText.h"

namespace kalorina::gui {

namespace {

class QtComponent : public TranslatableComponent {
public:
    explicit QtComponent(QObject* o) : o_(o) {}

    void SetCaption(const std::string& t) override
    {
        QString s = Q(t);
        if (auto* a = qobject_cast<QAction*>(o_))
            a->setText(s);
        else if (auto* m = qobject_cast<QMenu*>(o_))
            m->setTitle(s);
        else if (auto* b = qobject_cast<QAbstractButton*>(o_))
            b->setText(s);
        else if (auto* l = qobject_cast<QLabel*>(o_))
            l->setText(s);
        else if (auto* g = qobject_cast<QGroupBox*>(o_))
            g->setTitle(s);
        else if (auto* w = qobject_cast<QWidget*>(o_)) {
            // A tab page takes its caption from the tab widget that holds it.
            for (QWidget* p = w->parentWidget(); p; p = p->parentWidget())
                if (auto* tabs = qobject_cast<QTabWidget*>(p)) {
                    int i = tabs->indexOf(w);
                    if (i >= 0) {
                        tabs->setTabText(i, s);
                        return;
                    }
                }
            w->setWindowTitle(s);
        }
    }

    void SetHint(const std::string& t) override
    {
        // Hints are "short|long": the short part is the tool tip, the long the status tip.
        QString s = Q(t);
        QString shortHint = s.section('|', 0, 0);
        QString longHint = s.contains('|') ? s.section('|', 1) : s;
        if (auto* a = qobject_cast<QAction*>(o_)) {
            a->setToolTip(shortHint);
            a->setStatusTip(longHint);
        } else if (auto* w = qobject_cast<QWidget*>(o_)) {
            w->setToolTip(shortHint);
            w->setStatusTip(longHint);
        }
    }

    void SetText(const std::string& t) override
    {
        if (auto* e = qobject_cast<QLineEdit*>(o_))
            e->setText(Q(t));
        else if (auto* c = qobject_cast<QComboBox*>(o_))
            c->setCurrentText(Q(t)); // a drop-down list selects the entry that reads so
    }

    bool SetEntry(int index, const std::string& t) override
    {
        QString s = Q(t);
        if (auto* c = qobject_cast<QComboBox*>(o_)) {
            if (index >= c->count())
                return false;
            c->setItemText(index, s);
            return true;
        }
        if (auto* l = qobject_cast<QListWidget*>(o_)) {
            if (index >= l->count())
                return false;
            l->item(index)->setText(s);
            return true;
        }
        if (auto* tw = qobject_cast<QTreeWidget*>(o_)) {
            if (index >= tw->columnCount())
                return false;
            tw->headerItem()->setText(index, s);
            return true;
        }
        if (auto* g = qobject_cast<QGroupBox*>(o_)) {
            // A radio group: its buttons in order.
            auto buttons = g->findChildren<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
            if (index >= buttons.size())
                return false;
            buttons[index]->setText(s);
            return true;
        }
        return false;
    }

    void SetTitle(const std::string& t) override
    {
        if (auto* w = qobject_cast<QWidget*>(o_))
            w->setWindowTitle(Q(t));
        else
            o_->setProperty("title", Q(t));
    }

    void SetFilter(const std::string& t) override { o_->setProperty("kalorinaFilter", Q(t)); }

private:
    QObject* o_;
};

} // namespace

QtFormTranslator::QtFormTranslator(QWidget* form) : form_(form)
{
}
QtFormTranslator::~QtFormTranslator() = default;

std::string QtFormTranslator::FormName() const
{
    return form_->objectName().toStdString();
}

void QtFormTranslator::SetCaption(const std::string& text)
{
    form_->setWindowTitle(Q(text));
}
void QtFormTranslator::SetHint(const std::string& text)
{
    form_->setToolTip(Q(text));
}
void QtFormTranslator::SetHelpFile(const std::string& text)
{
    form_->setProperty("helpFile", Q(text));
}

TranslatableComponent* QtFormTranslator::FindComponent(const std::string& name)
{
    QObject* o = form_->findChild<QObject*>(QString::fromStdString(name));
    if (!o)
        return nullptr;
    current_ = std::make_unique<QtComponent>(o);
    return current_.get();
}

namespace {
// Language files translate from the designed texts, and a language may translate
// nothing (the designed one).  So the first translation remembers each control's
// designed texts and every translation starts from them again: switching back and
// forth between languages never leaves texts of the previous language behind.
void RememberDesign(QObject* o, bool isForm)
{
    o->setProperty("kalorinaDesign", true);
    auto keep = [o](const char* name, const QVariant& v) { o->setProperty(name, v); };
    if (auto* a = qobject_cast<QAction*>(o)) {
        keep("designText", a->text());
        keep("designToolTip", a->toolTip());
        keep("designStatusTip", a->statusTip());
    } else if (auto* m = qobject_cast<QMenu*>(o)) {
        keep("designText", m->title());
    } else if (auto* b = qobject_cast<QAbstractButton*>(o)) {
        keep("designText", b->text());
    } else if (auto* l = qobject_cast<QLabel*>(o)) {
        keep("designText", l->text());
    } else if (auto* g = qobject_cast<QGroupBox*>(o)) {
        keep("designText", g->title());
    }
    if (auto* w = qobject_cast<QWidget*>(o); w && !qobject_cast<QAction*>(o)) {
        keep("designToolTip", w->toolTip());
        keep("designStatusTip", w->statusTip());
        if (isForm)
            keep("designWindowTitle", w->windowTitle());
    }
    if (auto* t = qobject_cast<QTabWidget*>(o)) {
        QStringList tabs;
        for (int i = 0; i < t->count(); ++i)
            tabs << t->tabText(i);
        keep("designTabs", tabs);
    }
    if (auto* c = qobject_cast<QComboBox*>(o)) {
        QStringList items;
        for (int i = 0; i < c->count(); ++i)
            items << c->itemText(i);
        keep("designItems", items);
    }
    QVariant filter = o->property("kalorinaFilter");
    if (filter.isValid())
        keep("designFilter", filter);
}

void RestoreDesign(QObject* o, bool isForm)
{
    auto text = [o](const char* name) { return o->property(name).toString(); };
    if (auto* a = qobject_cast<QAction*>(o)) {
        a->setText(text("designText"));
        a->setToolTip(text("designToolTip"));
        a->setStatusTip(text("designStatusTip"));
    } else if (auto* m = qobject_cast<QMenu*>(o)) {
        m->setTitle(text("designText"));
    } else if (auto* b = qobject_cast<QAbstractButton*>(o)) {
        b->setText(text("designText"));
    } else if (auto* l = qobject_cast<QLabel*>(o)) {
        l->setText(text("designText"));
    } else if (auto* g = qobject_cast<QGroupBox*>(o)) {
        g->setTitle(text("designText"));
    }
    if (auto* w = qobject_cast<QWidget*>(o); w && !qobject_cast<QAction*>(o)) {
        w->setToolTip(text("designToolTip"));
        w->setStatusTip(text("designStatusTip"));
        if (isForm)
            w->setWindowTitle(text("designWindowTitle"));
    }
    if (auto* t = qobject_cast<QTabWidget*>(o)) {
        QStringList tabs = o->property("designTabs").toStringList();
        for (int i = 0; i < t->count() && i < tabs.size(); ++i)
            t->setTabText(i, tabs[i]);
    }
    if (auto* c = qobject_cast<QComboBox*>(o)) {
        // Lists filled with data since keep their entries.
        QStringList items = o->property("designItems").toStringList();
        if (items.size() == c->count())
            for (int i = 0; i < c->count(); ++i)
                c->setItemText(i, items[i]);
    }
    QVariant filter = o->property("designFilter");
    if (filter.isValid())
        o->setProperty("kalorinaFilter", filter);
}
} // namespace

void TranslateForm(QWidget* form)
{
    QList<QObject*> objects = form->findChildren<QObject*>();
    objects.prepend(form);
    for (QObject* o : objects) {
        if (o->property("kalorinaDesign").toBool())
            RestoreDesign(o, o == form);
        else
            RememberDesign(o, o == form);
    }
    QtFormTranslator t(form);
    Languages().TranslateForm(t);
}

} // namespace kalorina::gui
