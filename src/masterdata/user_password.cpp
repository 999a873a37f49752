#include "user_password.h"

#include "db/dat.h"
#include "db/password_hash.h"

namespace {

// A row below the last one of the panel, laid out like the row above it.
void addRow(PanelModel& model, const QString& editName, const QString& caption, const PanelItem& labelAbove,
            const PanelItem& editAbove, int shift) {
    PanelItem label = labelAbove;
    label.name = QStringLiteral("L_") + editName.mid(3);
    label.caption = QLatin1Char(' ') + caption;
    label.hint.clear();
    label.geometry.translate(0, shift);
    model.items << label;

    PanelItem edit;
    edit.kind = ItemKind::Edit;
    edit.name = editName;
    edit.geometry = QRect(editAbove.geometry.left(), editAbove.geometry.top() + shift, 200, editAbove.geometry.height());
    edit.passwordChar = QLatin1Char('*');
    edit.fieldType = QStringLiteral("VARCHAR");
    edit.maxLength = 64;
    model.items << edit;
    ++model.rows;
}

}  // namespace

void AddUserPasswordFields(PanelModel& model) {
    if (model.table.toUpper() != UsersTable || model.find(NewPasswordEdit)) return;
    const PanelItem* labelAbove = nullptr;
    const PanelItem* editAbove = nullptr;
    for (const PanelItem& item : model.items) {
        if (item.kind == ItemKind::Label && item.name.startsWith(QLatin1String("L_"))) labelAbove = &item;
        if ((item.kind == ItemKind::Edit || item.kind == ItemKind::Memo) && item.visible) editAbove = &item;
    }
    if (!labelAbove || !editAbove) return;
    const PanelItem label = *labelAbove;
    const PanelItem edit = *editAbove;
    const int step = edit.geometry.height() + 1;
    const int below = std::max(label.geometry.bottom(), edit.geometry.bottom()) + 2 - edit.geometry.top();
    addRow(model, NewPasswordEdit, QStringLiteral("Új jelszó:"), label, edit, below);
    addRow(model, NewPasswordAgainEdit, QStringLiteral("Új jelszó még egyszer:"), label, edit, below + step);
}

bool UserPasswordTyped(const PanelValues& panel) {
    return !panel.text(NewPasswordEdit).isEmpty() || !panel.text(NewPasswordAgainEdit).isEmpty();
}

QString UserPasswordError(const PanelValues& panel) {
    if (panel.text(NewPasswordEdit) != panel.text(NewPasswordAgainEdit)) return QStringLiteral("A két új jelszó nem egyezik.");
    return {};
}

void StoreUserPassword(const QString& connection, const QString& kod, const PanelValues& panel) {
    const QString password = panel.text(NewPasswordEdit);
    if (password.isEmpty()) return;
    ExecSql(connection, QStringLiteral("update SZ_JUZER set JELSZO = :jelszo where KOD = :kod"),
            {{QStringLiteral("jelszo"), HashPassword(password)}, {QStringLiteral("kod"), kod}});
}

void ClearUserPasswordFields(PanelValues& panel) {
    panel.setText(NewPasswordEdit, {});
    panel.setText(NewPasswordAgainEdit, {});
}
