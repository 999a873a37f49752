#include "panel_values.h"

PanelControl* PanelValues::find(const QString& name) {
    for (PanelControl& c : controls)
        if (c.name.compare(name, Qt::CaseInsensitive) == 0) return &c;
    return nullptr;
}

const PanelControl* PanelValues::find(const QString& name) const {
    return const_cast<PanelValues*>(this)->find(name);
}

QString PanelValues::text(const QString& name) const {
    const PanelControl* c = find(name);
    return c ? c->text : QString();
}

bool PanelValues::setText(const QString& name, const QString& text) {
    PanelControl* c = find(name);
    if (!c) return false;
    c->text = text;
    return true;
}

PanelControl& PanelValues::add(const QString& name, PanelKind kind, const QString& text) {
    PanelControl c;
    c.name = name;
    c.kind = kind;
    c.text = text;
    controls.append(c);
    return controls.last();
}

QString NameAfterPrefix(const QString& controlName) {
    const qsizetype underscore = controlName.indexOf(QLatin1Char('_'));
    return underscore < 0 ? controlName : controlName.mid(underscore + 1);
}
