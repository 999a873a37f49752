#include "msg_window.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include "db/ui_hooks.h"

Tmsgfm::Tmsgfm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("msgfm"));
    QFont dialogFont = font();
    dialogFont.setPointSize(pfontsize);
    setFont(dialogFont);

    l_msg = new QLabel(this);
    l_msg->setObjectName(QStringLiteral("l_msg"));
    l_msg->setWordWrap(true);
    l_msg->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l_msg->setTextFormat(Qt::PlainText);
    l_minta = new QLabel(this);
    l_minta->setObjectName(QStringLiteral("l_minta"));
    l_minta->hide();
}

void Tmsgfm::prepare(const QString& message, int kind, const TmsgButtons& requested) {
    qDeleteAll(buttons);
    buttons.clear();

    const TmsgButtons texts = MsgButtons(kind, requested);
    setWindowTitle(MsgCaption(kind));
    const QFontMetrics metrics(l_minta->font());

    const QString text = MsgDisplayText(message);
    int oneLine = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        oneLine = std::max(oneLine, metrics.horizontalAdvance(line));
    // A pixel or two more than the measured line, so the label does not
    // break a line that fits.
    const int msgWidth = std::min(oneLine + 2, maxMessageWidth);
    l_msg->setText(text);
    l_msg->setGeometry(16, 20, msgWidth, l_msg->heightForWidth(msgWidth));

    int h = 0;
    int w = 0;
    for (const QString& caption : texts) {
        h = std::max(h, metrics.height() + 4);
        w = std::max(w, metrics.horizontalAdvance(caption));
    }
    const int left = l_msg->x() + msgWidth + 12;
    for (int j = 0; j < texts.size(); ++j) {
        auto* button = new QPushButton(MsgButtonCaption(texts[j]), this);
        button->setObjectName(QStringLiteral("button%1").arg(j));
        button->setAutoDefault(false);
        button->setGeometry(left, 20 + j * (h + 8), w + 40, h);
        connect(button, &QPushButton::clicked, this, [this, j] {
            poutbutton = j;
            accept();
        });
        button->show();
        buttons.append(button);
    }
    if (!buttons.isEmpty()) buttons.first()->setFocus();
    poutbutton = int(texts.size()) - 1;

    const int lastBottom = buttons.isEmpty() ? 0 : buttons.last()->geometry().bottom() + 1;
    const int height = std::max(lastBottom, l_msg->geometry().bottom() + 1) + 20;
    setFixedSize(left + w + 40 + 16, height);
}

int MsgDialog(const QString& message, int kind, const TmsgButtons& buttons) {
    Tmsgfm dialog(QApplication::activeWindow());
    dialog.prepare(message, kind, buttons);
    if (!dialog.parentWidget()) {
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            dialog.move(screen->availableGeometry().center() - dialog.rect().center());
    }
    dialog.exec();
    return dialog.poutbutton;
}

void InstallDesktopDialogs() {
    UiHooks::setDialog([](const QString& text, int kind, const QStringList& buttons) {
        return MsgDialog(text, kind, buttons);
    });
    UiHooks::setMessage([](const QString& text) {
        QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), MsgDisplayText(text),
                        QMessageBox::Ok, QApplication::activeWindow());
        box.exec();
    });
    UiHooks::setRetry([](const QString& text) {
        return QMessageBox::critical(QApplication::activeWindow(), QGuiApplication::applicationDisplayName(),
                                     MsgDisplayText(text), QMessageBox::Retry | QMessageBox::Cancel)
            == QMessageBox::Retry;
    });
}
