#include "generated_panel_window.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QStyle>

#include "db/TextEdit_window.h"
#include "db/altproc.h"
#include "db/getdatum_window.h"
#include "db/memo_edit_window.h"
#include "masterdata/lookup_window.h"
#include "masterdata/panel_widgets_window.h"
#include "masterdata/validation.h"

namespace {

QColor roleColor(QWidget* w, ColorRole role, const QColor& custom) {
    switch (role) {
    case ColorRole::Tooltip: return w->palette().color(QPalette::ToolTipBase);
    case ColorRole::Highlight: return w->palette().color(QPalette::Highlight);
    case ColorRole::Window: return w->palette().color(QPalette::Base);
    case ColorRole::Custom: return custom;
    }
    return custom;
}

QRect visibleGeometry(const QRect& r) { return QRect(r.left(), r.top(), qMax(0, r.width()), qMax(0, r.height())); }

void setCommon(QWidget* w, const PanelItem& item) {
    w->setObjectName(item.name);
    w->setGeometry(visibleGeometry(item.geometry));
    w->setProperty("tag", item.tag);
    if (!item.hint.isEmpty()) w->setProperty("hint", item.hint);
    if (item.showHint) w->setToolTip(item.hint);
    if (item.bold) {
        QFont font = w->font();
        font.setBold(true);
        w->setFont(font);
    }
    w->setEnabled(item.enabled);
    // Controls made for a panel already on the screen are shown explicitly.
    w->setVisible(item.visible);
}

QWidget* makeLabel(QWidget* panel, const PanelItem& item) {
    auto* label = new QLabel(item.caption, panel);
    setCommon(label, item);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, roleColor(label, item.background, item.backgroundColor));
    label->setPalette(palette);
    return label;
}

QWidget* makeEdit(QWidget* panel, const PanelItem& item) {
    auto* edit = new QLineEdit(panel);
    setCommon(edit, item);
    edit->setMaxLength(item.maxLength > 0 ? item.maxLength : 32767);
    edit->setReadOnly(item.readOnly);
    edit->setProperty("displayOnly", item.readOnly);
    edit->setProperty("fieldType", item.fieldType);
    edit->setProperty("charCase", item.charCase.isNull() ? QString() : QString(item.charCase));
    edit->setProperty("writable", item.enabled);
    if (!item.tabStop) edit->setFocusPolicy(Qt::NoFocus);
    if (item.rightAlign) edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (!item.passwordChar.isNull()) edit->setEchoMode(QLineEdit::Password);
    QPalette palette = edit->palette();
    if (item.background == ColorRole::Custom) palette.setColor(QPalette::Base, item.backgroundColor);
    palette.setColor(QPalette::Text, roleColor(edit, item.textRole, item.textColor));
    edit->setPalette(palette);
    return edit;
}

QWidget* makeMemo(QWidget* panel, const PanelItem& item) {
    auto* memo = new QPlainTextEdit(panel);
    setCommon(memo, item);
    memo->setProperty("writable", item.enabled);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setHorizontalScrollBarPolicy(item.hScroll ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
    if (item.required) SetRequiredLook(memo, true);
    // Any change marks the memo modified.
    QObject::connect(memo, &QPlainTextEdit::textChanged, memo, [memo] { memo->setProperty("tag", 1); });
    return memo;
}

QWidget* makePicture(QWidget* panel, const PanelItem& item) {
    auto* picture = new QLabel(panel);
    setCommon(picture, item);
    picture->setProperty("panelKind", "picture");
    picture->setScaledContents(true);
    return picture;
}

QWidget* makeInfo(QWidget* panel, const PanelItem& item) {
    auto* info = new QLabel(panel);
    setCommon(info, item);
    info->setProperty("panelKind", "static");
    info->setProperty("autoSize", true);
    QPalette palette = info->palette();
    palette.setColor(QPalette::WindowText, roleColor(info, item.textRole, item.textColor));
    info->setPalette(palette);
    info->adjustSize();
    return info;
}

bool acceptsCharacter(const QString& type, QChar c) {
    if (type == QLatin1String("INTEGER") || type == QLatin1String("SMALLINT")) return c.isDigit() || c == u'-';
    if (type == QLatin1String("FLOAT") || type == QLatin1String("DOUBLE PRECISION"))
        return c.isDigit() || c == u'-' || c == u',' || c == u'.';
    return true;
}

bool canTakeFocus(const QWidget* w) {
    return w && w->isEnabled() && w->isVisible() && (w->focusPolicy() & Qt::TabFocus);
}

// Shows a window of the program modally; it may be a dialog or not.
void showModal(QWidget* window) {
    if (auto* dialog = qobject_cast<QDialog*>(window)) {
        dialog->exec();
        return;
    }
    const Qt::WindowModality before = window->windowModality();
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    QEventLoop loop;
    QPointer<QWidget> guard(window);
    while (guard && guard->isVisible()) loop.processEvents(QEventLoop::WaitForMoreEvents);
    if (guard) guard->setWindowModality(before);
}

}  // namespace

void MoveFocus(QWidget* from, bool forward) {
    QWidget* w = from;
    do {
        w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
    } while (w && w != from && !canTakeFocus(w));
    if (w && w != from) w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

GeneratedPanel::GeneratedPanel(QWidget* panel) : QObject(panel), m_panel(panel) {}

void GeneratedPanel::build(const PanelModel& model) {
    const QList<QWidget*> old = m_panel->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (int i = int(old.size()) - 1; i >= 0; --i) delete old[i];
    QFont font = m_panel->font();
    font.setPointSize(kPanelFontSize);
    m_panel->setFont(font);

    for (const PanelItem& item : model.items) {
        switch (item.kind) {
        case ItemKind::Label: makeLabel(m_panel, item); break;
        case ItemKind::Edit: makeEdit(m_panel, item)->installEventFilter(this); break;
        case ItemKind::Memo: makeMemo(m_panel, item); break;
        case ItemKind::Picture: makePicture(m_panel, item); break;
        case ItemKind::InfoLabel: makeInfo(m_panel, item); break;
        case ItemKind::Button: {
            auto* button = new TParaButton(m_panel);
            setCommon(button, item);
            button->setText(item.caption);
            static_cast<TParaButtonFields&>(*button) = item.para;
            button->action = item.action;
            button->writable = item.enabled;
            button->setFocusPolicy(Qt::NoFocus);
            button->setAutoDefault(false);  // Enter in the panel moves on, it presses nothing
            connect(button, &QPushButton::clicked, this, [this, button] { buttonClicked(button); });
            break;
        }
        }
    }
    // The panel is as large as its controls.
    QRect bounds;
    for (QWidget* w : m_panel->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (!w->isHidden() || !w->testAttribute(Qt::WA_WState_ExplicitShowHide)) bounds |= w->geometry();
    m_panel->setMinimumSize(bounds.right() + 4, bounds.bottom() + 4);
}

void GeneratedPanel::setState(const QString& state) {
    const bool browse = state == QLatin1String("browse");
    QWidget* firstEdit = nullptr;
    for (QWidget* w : m_panel->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            edit->setReadOnly(browse || edit->property("displayOnly").toBool());
            if (!firstEdit && canTakeFocus(edit) && !edit->isReadOnly()) firstEdit = edit;
        } else if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) {
            memo->setReadOnly(browse);
        } else if (auto* button = qobject_cast<TParaButton*>(w)) {
            const QString caption = button->text();
            if (caption == QLatin1String("+") || caption == QLatin1String("Text") || caption == QLatin1String("Karton")
                || caption == QLatin1String("Kép"))
                button->setEnabled(true);
            else
                // A field the user may not write stays closed to its button too.
                button->setEnabled(!browse && button->pKeynum != 1 && button->writable);
        } else if (auto* other = qobject_cast<QAbstractButton*>(w)) {
            other->setEnabled(!browse);
        }
    }
    if (state == QLatin1String("insert") && firstEdit) firstEdit->setFocus(Qt::OtherFocusReason);
}

void GeneratedPanel::stretchMemos() {
    for (QPlainTextEdit* memo : m_panel->findChildren<QPlainTextEdit*>(QString(), Qt::FindDirectChildrenOnly))
        memo->resize(qMax(40, m_panel->width() - memo->x() - 30), memo->height());
}

QWidget* GeneratedPanel::control(const QString& name) const {
    for (QWidget* w : m_panel->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (w->objectName().compare(name, Qt::CaseInsensitive) == 0) return w;
    return nullptr;
}

void GeneratedPanel::focusIfPossible(QWidget* w) {
    if (w && w->isEnabled() && w->isVisible()) w->setFocus(Qt::OtherFocusReason);
}

bool GeneratedPanel::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (!edit) return false;
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Down) {
            MoveFocus(edit, true);
            return true;
        }
        if (key->key() == Qt::Key_Up) {
            MoveFocus(edit, false);
            return true;
        }
        const QString text = key->text();
        if (text.size() != 1 || !text.at(0).isPrint() || edit->isReadOnly()
            || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return false;
        if (!acceptsCharacter(edit->property("fieldType").toString(), text.at(0))) return true;
        const QString charCase = edit->property("charCase").toString();
        if (charCase.isEmpty()) return false;
        edit->insert(charCase == QLatin1String("U") ? text.toUpper() : text.toLower());
        return true;
    }
    if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        // Switching to another window is no leaving of the field.
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return false;
        QPointer<QLineEdit> left(edit);
        QPointer<QWidget> next(QApplication::focusWidget());
        QMetaObject::invokeMethod(
            this, [this, left, next] { if (left) leaveEdit(left, next); }, Qt::QueuedConnection);
    }
    return false;
}

void GeneratedPanel::leaveEdit(QLineEdit* edit, QWidget* next) {
    if (edit->property("tag").toInt() == 0) return;
    PanelValues values = ReadPanel(m_panel);
    const QString focus = Validal(values, edit->objectName(), next ? next->objectName() : QString());
    ShowPanel(m_panel, values);
    if (!focus.isEmpty()) focusIfPossible(control(focus));
}

void GeneratedPanel::buttonClicked(TParaButton* button) {
    QWidget* target = control(QStringLiteral("E_") + button->pMezo);
    auto* edit = qobject_cast<QLineEdit*>(target);
    switch (button->action) {
    case ButtonAction::Letters:
        if (edit) edit->setText(CycleChar(edit->text(), button->text()));
        break;
    case ButtonAction::Date:
        if (edit) {
            edit->setText(PickDate(edit->text()));
            focusIfPossible(edit);
        }
        break;
    case ButtonAction::TextFile: {
        TTextEditfm editor(m_panel->window());
        editor.wfile = edit ? edit->text() : QString();
        editor.exec();
        break;
    }
    case ButtonAction::MemoEditor: {
        auto* memo = qobject_cast<QPlainTextEdit*>(target);
        if (!memo) break;
        Tmemo_editfm editor(m_panel->window());
        editor.Memo1->setPlainText(memo->toPlainText());
        editor.p_top->setVisible(true);
        editor.exec();
        if (editor.wsaved) memo->setPlainText(editor.Memo1->toPlainText());
        break;
    }
    case ButtonAction::Form:
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName().compare(button->pSzotTabla, Qt::CaseInsensitive) == 0) {
                showModal(w);
                break;
            }
        break;
    case ButtonAction::Lookup: Szot(button, this); break;
    case ButtonAction::FurtherInfo: Valt(button, this); break;
    case ButtonAction::None: break;
    }
}
