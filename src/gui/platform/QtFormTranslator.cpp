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
            c->setCurrentText(Q(t));  // a drop-down list selects the entry that reads so
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

QtFormTranslator::QtFormTranslator(QWidget* form) : form_(form) {}
QtFormTranslator::~QtFormTranslator() = default;

std::string QtFormTranslator::FormName() const
{
    return form_->objectName().toStdString();
}

void QtFormTranslator::SetCaption(const std::string& text) { form_->setWindowTitle(Q(text)); }
void QtFormTranslator::SetHint(const std::string& text) { form_->setToolTip(Q(text)); }
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

void TranslateForm(QWidget* form)
{
    QtFormTranslator t(form);
    Languages().TranslateForm(t);
}

} // namespace kalorina::gui
