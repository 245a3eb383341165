#include "controls/DisplayControl.h"

#include <QAccessibleWidget>
#include <QCoreApplication>

namespace mnm::controls {

namespace {

// Name is the label the dialog gives the control, else what it shows; Value
// is always what it shows.
class DisplayAccessible : public QAccessibleWidget {
public:
    explicit DisplayAccessible(DisplayControl* control) : QAccessibleWidget(control, control->ShownRole()) {}

    QString text(QAccessible::Text kind) const override
    {
        const auto* control = static_cast<const DisplayControl*>(widget());
        switch (kind) {
        case QAccessible::Name:
            return control->accessibleName().isEmpty() ? control->ShownText() : control->accessibleName();
        case QAccessible::Value:
            return control->ShownText();
        default:
            return QAccessibleWidget::text(kind);
        }
    }
};

QAccessibleInterface* DisplayAccessibleFactory(const QString&, QObject* object)
{
    if (auto* control = qobject_cast<DisplayControl*>(object)) return new DisplayAccessible(control);
    return nullptr;
}

} // namespace

void DisplayControl::AnnounceShownText()
{
    QAccessibleEvent nameChanged(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&nameChanged);
    QAccessibleValueChangeEvent valueChanged(this, ShownText());
    QAccessible::updateAccessibility(&valueChanged);
}

} // namespace mnm::controls

// Installed as the application starts, before any control is asked about.
static void InstallDisplayAccessibleFactory()
{
    QAccessible::installFactory(mnm::controls::DisplayAccessibleFactory);
}
Q_COREAPP_STARTUP_FUNCTION(InstallDisplayAccessibleFactory)
