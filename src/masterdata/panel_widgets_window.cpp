#include "panel_widgets_window.h"

#include <QAbstractButton>
#include <QBuffer>
#include <QCheckBox>
#include <QColor>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTextEdit>
#include <QWidget>

namespace {

const QColor kRequired(0xFF, 0xFF, 0x00);

bool isRequired(const QWidget* w) { return w->palette().color(QPalette::Base) == kRequired; }

QString hintOf(const QWidget* w) {
    const QVariant hint = w->property("hint");
    return hint.isValid() ? hint.toString() : w->toolTip();
}

bool readControl(const QWidget* w, PanelControl& c) {
    c.name = w->objectName();
    c.hint = hintOf(w);
    // The control's own switches, whatever its parents say.
    c.visible = !(w->testAttribute(Qt::WA_WState_ExplicitShowHide) && w->testAttribute(Qt::WA_WState_Hidden));
    c.enabled = !w->testAttribute(Qt::WA_ForceDisabled);
    c.tag = w->property("tag").toInt();
    if (auto* edit = qobject_cast<const QLineEdit*>(w)) {
        c.kind = PanelKind::Edit;
        c.text = edit->text();
        c.readOnly = edit->isReadOnly();
        c.maxLength = edit->maxLength() >= 32767 ? 0 : edit->maxLength();
        c.required = isRequired(w);
    } else if (auto* memo = qobject_cast<const QPlainTextEdit*>(w)) {
        c.kind = PanelKind::Memo;
        c.text = memo->toPlainText();
        c.readOnly = memo->isReadOnly();
        c.required = isRequired(w);
    } else if (auto* rich = qobject_cast<const QTextEdit*>(w)) {
        c.kind = PanelKind::Memo;
        c.text = rich->toPlainText();
        c.readOnly = rich->isReadOnly();
        c.required = isRequired(w);
    } else if (auto* check = qobject_cast<const QCheckBox*>(w)) {
        c.kind = PanelKind::Check;
        c.text = check->isChecked() ? QStringLiteral("I") : QStringLiteral("N");
    } else if (auto* button = qobject_cast<const QAbstractButton*>(w)) {
        c.kind = PanelKind::Button;
        c.text = button->text();
    } else if (auto* label = qobject_cast<const QLabel*>(w)) {
        const QString kind = label->property("panelKind").toString();
        if (kind == QLatin1String("picture")) {
            c.kind = PanelKind::Picture;
            c.picture = label->property("pictureBytes").toByteArray();
        } else {
            c.kind = kind == QLatin1String("static") ? PanelKind::StaticText : PanelKind::Label;
            c.text = label->text();
        }
    } else {
        return false;
    }
    return true;
}

QWidget* findNamed(QWidget* panel, const QString& name) {
    for (QWidget* w : panel->findChildren<QWidget*>())
        if (w->objectName().compare(name, Qt::CaseInsensitive) == 0) return w;
    return nullptr;
}

void showPicture(QLabel* label, const QByteArray& bytes) {
    label->setProperty("pictureBytes", bytes);
    QImage image;
    if (bytes.isEmpty() || !image.loadFromData(bytes)) {
        QPixmap white(qMax(1, label->width()), qMax(1, label->height()));
        white.fill(Qt::white);
        label->setPixmap(white);
        return;
    }
    label->setPixmap(QPixmap::fromImage(image));
}

}  // namespace

PanelValues ReadPanel(const QWidget* panel, const QString& prefix) {
    PanelValues values;
    if (!panel) return values;
    for (const QWidget* w : panel->findChildren<const QWidget*>()) {
        if (w->objectName().isEmpty() || !w->objectName().startsWith(prefix, Qt::CaseInsensitive)) continue;
        // The inner parts of a composite control carry Qt's own names.
        if (w->objectName().startsWith(QLatin1String("qt_"))) continue;
        PanelControl c;
        if (readControl(w, c)) values.controls.append(c);
    }
    return values;
}

void ShowPanel(QWidget* panel, const PanelValues& values) {
    if (!panel) return;
    for (const PanelControl& c : values.controls) {
        QWidget* w = findNamed(panel, c.name);
        if (!w) continue;
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            if (edit->text() != c.text) edit->setText(c.text);
            edit->setCursorPosition(0);
        } else if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) {
            if (memo->toPlainText() != c.text) memo->setPlainText(c.text);
            memo->setProperty("tag", c.tag);
        } else if (auto* rich = qobject_cast<QTextEdit*>(w)) {
            if (rich->toPlainText() != c.text) rich->setPlainText(c.text);
            rich->setProperty("tag", c.tag);
        } else if (auto* check = qobject_cast<QCheckBox*>(w)) {
            check->setChecked(c.text.trimmed().compare(QLatin1String("I"), Qt::CaseInsensitive) == 0);
        } else if (auto* label = qobject_cast<QLabel*>(w)) {
            if (label->property("panelKind").toString() == QLatin1String("picture"))
                showPicture(label, c.picture);
            else
                label->setText(c.text);
            if (label->property("autoSize").toBool()) label->adjustSize();
        }
    }
}

void SetRequiredLook(QWidget* edit, bool required) {
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, required ? kRequired : edit->style()->standardPalette().color(QPalette::Base));
    edit->setPalette(palette);
}
