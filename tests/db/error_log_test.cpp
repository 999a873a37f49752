#include <QDir>
#include <QFile>
#include <QObject>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "db/dat.h"
#include "db/error_log.h"
#include "db/ui_hooks.h"
#include "support/test_db.h"

namespace {

TEST(ErrorLog, LinesNameTheSenderAndItsEnclosingObjects) {
    Td().CurrentUser = QStringLiteral("KARDO");
    QObject window;
    window.setObjectName(QStringLiteral("Ttakaritfm"));
    QObject panel(&window);
    panel.setObjectName(QStringLiteral("p_top"));
    QObject button(&panel);
    button.setObjectName(QStringLiteral("b_torol"));

    const QStringList lines = ErrorFileLines(&button, {QStringLiteral("DbError"), QStringLiteral("lock conflict")});
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Project ")));
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral(", user KARDO")));
    EXPECT_EQ(lines[1], QStringLiteral("object QObject named b_torol on (p_top/Ttakaritfm) raised a(n) DbError exception. "
                                       "Original message:"));
    EXPECT_EQ(lines[2], QStringLiteral("lock conflict"));

    const QStringList alone = ErrorFileLines(&window, {QStringLiteral("DbError"), QStringLiteral("x")});
    EXPECT_TRUE(alone[1].contains(QStringLiteral(" named Ttakaritfm on () raised")));
}

TEST(ErrorLog, WritesTheFileAndShowsTheMessage) {
    QTemporaryDir dir;
    Td().WorkDir = dir.path() + QLatin1Char('/');
    QString shown;
    UiHooks::setMessage([&](const QString& text) { shown = text; });
    QObject sender;
    sender.setObjectName(QStringLiteral("b_indul"));
    const QString path = Hiba_Kezelo(&sender, {QStringLiteral("DbError"), QStringLiteral("nem törölhető")});
    UiHooks::setMessage({});

    EXPECT_EQ(shown, QStringLiteral("nem törölhető"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("/Error__\\d{4}_\\d\\d_\\d\\d_\\d\\d_\\d\\d_\\d\\d_\\d{3}\\.txt$"))
                    .match(path)
                    .hasMatch())
        << path.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts).size(), 3);
    Td().WorkDir.clear();
}

}  // namespace
