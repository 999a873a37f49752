#include <QDate>
#include <gtest/gtest.h>

#include "db/app_conventions.h"
#include "masterdata/validation.h"
#include "md_test_support.h"

namespace {

class ValidationTest : public ::testing::Test {
protected:
    void SetUp() override { SetDecimalSeparator(u','); }
    // A panel with the edit under test (E_X), the next edit, its button and
    // the companion fields.
    PanelValues panel(int code, const QString& text) {
        PanelValues p;
        p.add("L_X", PanelKind::Label, " X:").hint = QStringLiteral("SZORZO");
        p.add("E_X", PanelKind::Edit, text).tag = code;
        p.add("B_X", PanelKind::Button, "?");
        p.add("E_NEXT", PanelKind::Edit, "");
        p.add("E_SZORZO", PanelKind::Edit, "3");
        return p;
    }
    UserSide user;
};

TEST_F(ValidationTest, Codes) {
    struct Case {
        int code;
        QString text;
        QString message;  // shown, focus back
        QString text2;    // the edit's text afterwards
        QString next;     // the next edit's text afterwards
    } cases[] = {
        {1, "2024.02.29", "", "2024.02.29", ""},
        {1, "2023.02.29", "Hibás dátum :2023.02.29", "2023.02.29", ""},
        {2, "  ", "Kötelező kitölteni.", "  ", ""},
        {2, "a", "", "a", ""},
        {3, " 0 ", "Nem lehet nulla.", " 0 ", ""},
        {3, "", "Nem lehet nulla.", "", ""},
        {3, "0,0", "", "0,0", ""},
        {3, "0.00", "", "0.00", ""},
        {4, "", "", "", ""},
        {4, "2024.13.01", "Hibás dátum :2024.13.01", "2024.13.01", ""},
        {5, "1000", "", "1000", "1270"},
        {5, "1,5", "", "1,5", "2"},
        {5, "1x", "Nem jó szám.", "1x", ""},
        {6, "2,5", "", "2,5", "7,5"},
        {6, "a", "Nem jó szám.", "a", ""},
        {7, "abc é", "", "ABC É", ""},
        {10, "abc", "", "ABC", ""},
        {11, "ABC Ő", "", "abc ő", ""},
        {98, " kovács jános ", "", "Kovács János", ""},
        {98, " ", "Kötelező kitölteni.", " ", ""},
        {99, "mcDonald-smith (ifj.)", "", "McDonald-Smith (Ifj.)", ""},
        {99, "", "", "", ""},
        {101, "", "", "", ""},
        {101, "8123456785", "Hibás adóazonosító.", "8123456785", ""},
        {101, "812345678,", "Hibás adóazonosító.", "812345678,", ""},
        {101, "8123456786", "", "8123456786", ""},
        {102, " ", "", " ", ""},
        {102, "123456789", "Hibás TAJszám.", "123456789", ""},
        {102, "123456788", "", "123456788", ""},
        {42, "x", "", "x", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("code %1 '%2'").arg(c.code).arg(c.text).toStdString());
        user.messages.clear();
        PanelValues p = panel(c.code, c.text);
        const QString focus = Validal(p, "E_X", "E_NEXT");
        EXPECT_EQ(user.messages, c.message.isEmpty() ? QStringList() : QStringList{c.message});
        EXPECT_EQ(focus, c.message.isEmpty() ? QString() : QStringLiteral("E_X"));
        EXPECT_EQ(p.text("E_X"), c.text2);
        EXPECT_EQ(p.text("E_NEXT"), c.next);
    }
}

TEST_F(ValidationTest, SkippedForTheOwnButtonAndReadOnlyEdits) {
    PanelValues p = panel(2, "");
    EXPECT_EQ(Validal(p, "E_X", "B_X"), QString());
    p.find("E_X")->readOnly = true;
    EXPECT_EQ(Validal(p, "E_X", "E_NEXT"), QString());
    EXPECT_TRUE(user.messages.isEmpty());
    p.find("E_X")->readOnly = false;
    EXPECT_EQ(Validal(p, "E_X", "E_NEXT"), QStringLiteral("E_X"));
}

TEST_F(ValidationTest, TaxIdentifierAgainstBirthDate) {
    EXPECT_EQ(TaxIdDayCode("1867.01.04"), QStringLiteral("800003"));
    const QString encoded = QDate(1867, 1, 1).addDays(12345).toString("yyyy.MM.dd");
    const QString question = QStringLiteral(
                                 "FIGYELEM!!! Az adószám és a születési dátum egymásnak ellentmondó adatot tartalmaz! "
                                 "Jó az adószám?\r1867.01.04 -> 800003nnnn 8123456786\r8123456786 -> ")
                             + encoded + QStringLiteral(" 1867.01.04");

    PanelValues p = panel(101, "8123456786");
    p.add("E_SZULDAT", PanelKind::Edit, "1867.01.04");
    user.answer = 0;  // " Igen ": the identifier is right, the date is wrong
    EXPECT_EQ(Validal(p, "E_X", "E_NEXT"), QStringLiteral("E_SZULDAT"));
    EXPECT_EQ(user.questions, QStringList{question});
    user.answer = 1;
    EXPECT_EQ(Validal(p, "E_X", "E_NEXT"), QStringLiteral("E_X"));

    // A consistent pair asks nothing; neither does a birth date that is no date.
    user.questions.clear();
    // The first valid identifier for the date: its day code, three digits, the check digit.
    QString consistent;
    for (int serial = 0; consistent.isEmpty(); ++serial) {
        const QString nine = TaxIdDayCode("1980.05.17") + QString::number(serial).rightJustified(3, '0');
        int s = 0;
        for (int i = 0; i < 9; ++i) s += (i + 1) * nine[i].digitValue();
        if (s % 11 < 10) consistent = nine + QString::number(s % 11);
    }
    p.setText("E_X", consistent);
    p.setText("E_SZULDAT", "1980.05.17");
    EXPECT_EQ(Validal(p, "E_X", "E_NEXT"), QString());
    p.setText("E_SZULDAT", "1980.13.45");
    EXPECT_EQ(Validal(p, "E_X", "E_NEXT"), QString());
    EXPECT_TRUE(user.questions.isEmpty());

    // The birth date asks the other way round.
    PanelValues b;
    b.add("E_SZULDAT", PanelKind::Edit, "1867.01.04").tag = 103;
    b.add("E_ADOSZAM", PanelKind::Edit, "8123456786");
    user.answer = 0;
    EXPECT_EQ(Validal(b, "E_SZULDAT", ""), QStringLiteral("E_ADOSZAM"));
    EXPECT_TRUE(user.questions.last().contains(QStringLiteral("Jó a dátum?\r1867.01.04 -> 800003nnnn 8123456786")));
    b.setText("E_ADOSZAM", "");
    user.questions.clear();
    EXPECT_EQ(Validal(b, "E_SZULDAT", ""), QString());
    EXPECT_TRUE(user.questions.isEmpty());
}

}  // namespace
