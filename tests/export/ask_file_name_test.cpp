#include <gtest/gtest.h>

#include "export/ask_file_name.h"
#include "export_test_support.h"

TEST(AskFileName, FilterPatternsInTheDialogsOrder) {
    EXPECT_EQ(ExportFilterPatterns(), (QStringList{QStringLiteral("*.XLSX"), QStringLiteral("*.XLS"),
                                                   QStringLiteral("*.TXT"), QStringLiteral("*.SQL"),
                                                   QStringLiteral("*.XLSM")}));
    struct Case {
        const char* extension;
        int index;
    };
    for (const Case& c : {Case{".xlsx", 1}, Case{".XLS", 2}, Case{".Txt", 3}, Case{".SQL", 4}, Case{".xlsm", 5},
                          Case{".DOC", 0}, Case{"", 0}})
        EXPECT_EQ(ExportFilterIndex(QString::fromLatin1(c.extension)), c.index) << c.extension;
}

TEST(AskFileName, ExtensionOfTheChosenKindIsAppendedWhenMissingOrOther) {
    struct Case {
        const char* typed;
        int filter;
        const char* result;
    };
    for (const Case& c : {Case{"/tmp/lista.xls", 3, "/tmp/lista.xls.TXT"}, Case{"/tmp/lista", 1, "/tmp/lista.XLSX"},
                          Case{"/tmp/lista.txt", 3, "/tmp/lista.txt"}, Case{"/tmp/lista.XLSX", 2, "/tmp/lista.XLSX.XLS"},
                          Case{"/tmp/lista.sql", 4, "/tmp/lista.sql"}, Case{"/tmp/lista.xlsm", 5, "/tmp/lista.xlsm"}}) {
        UserSide user;
        user.choosesFile(QString::fromUtf8(c.typed), c.filter);
        EXPECT_EQ(AskFileName(QString(), 0), QString::fromUtf8(c.result)) << c.typed;
    }
}

TEST(AskFileName, ProposedNameChoosesTheKind) {
    UserSide user;
    user.choosesFile(QStringLiteral("/tmp/x.sql"), 4);
    AskFileName(QStringLiteral("/tmp/eredmeny.sql"), 0);
    AskFileName(QStringLiteral("/tmp/eredmeny"), 3);
    AskFileName(QStringLiteral("/tmp/eredmeny.doc"), 3);
    EXPECT_EQ(user.dialogShown,
              (QStringList{QStringLiteral("/tmp/eredmeny.sql"), QStringLiteral("/tmp/eredmeny"),
                           QStringLiteral("/tmp/eredmeny.doc")}));
    EXPECT_EQ(user.dialogFilters, (QList<int>{4, 1, 1}));
}

TEST(AskFileName, WithoutProposalThePreviousNameComesBackWithoutExtension) {
    UserSide user;
    user.choosesFile(QStringLiteral("/tmp/a.b/karton.xlsx"), 1);
    EXPECT_EQ(AskFileName(QString(), 0), QStringLiteral("/tmp/a.b/karton.xlsx"));
    AskFileName(QString(), 3);
    // The folder keeps its dot; the kind stays the one chosen last.
    EXPECT_EQ(user.dialogShown.last(), QStringLiteral("/tmp/a.b/karton"));
    EXPECT_EQ(user.dialogFilters.last(), 1);

    // A previous name without extension: the kind is the one asked for.
    user.choosesFile(QStringLiteral("/tmp/naplo"), 3);
    AskFileName(QString(), 3);
    AskFileName(QString(), 4);
    EXPECT_EQ(user.dialogShown.last(), QStringLiteral("/tmp/naplo"));
    EXPECT_EQ(user.dialogFilters.last(), 4);
}

TEST(AskFileName, CancelledOrNoWindowGivesNoName) {
    UserSide user;
    user.choosesFile(QString(), 1);
    EXPECT_TRUE(AskFileName(QStringLiteral("/tmp/x.xlsx"), 0).isEmpty());
    SetSaveDialog(nullptr);
    EXPECT_TRUE(AskFileName(QStringLiteral("/tmp/x.xlsx"), 0).isEmpty());
}
