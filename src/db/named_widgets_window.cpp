#include "named_widgets_window.h"

#include <QLabel>
#include <QPushButton>

QPushButton* NamedButton(QWidget* parent, const char* name, const QString& caption, bool tabStop) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    if (!tabStop) b->setFocusPolicy(Qt::ClickFocus);
    return b;
}

QLabel* NamedLabel(QWidget* parent, const char* name, const QString& caption) {
    auto* l = new QLabel(caption, parent);
    if (name) l->setObjectName(QString::fromLatin1(name));
    return l;
}
