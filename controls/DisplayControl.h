// The base of the custom-painted controls: they tell the accessibility
// interface what they show, since a screen reader cannot read their pixels.
#pragma once

#include <QAccessible>
#include <QWidget>

namespace mnm::controls {

class DisplayControl : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // What the control shows now, as a screen reader should say it.
    virtual QString ShownText() const = 0;
    virtual QAccessible::Role ShownRole() const { return QAccessible::StaticText; }

protected:
    // Tells assistive technology that ShownText() changed.
    void AnnounceShownText();
};

} // namespace mnm::controls
