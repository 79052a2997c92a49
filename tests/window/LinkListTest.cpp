#include "LoopbackServers.h"
#include "WindowFixture.h"
#include "editor/Colors.h"
#include "links/LinkKinds.h"
#include "window/LinkListModel.h"

#include <QAction>
#include <QBrush>
#include <QDockWidget>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QProcess>
#include <QTableView>
#include <QTest>

namespace {

using Column = LinkListModel::Column;

class LinkList : public WindowFixture {
protected:
    void SetUp() override
    {
        writeDocument(QStringLiteral("there.html"), "");
        // The last link stands on line 10, so that a sort by line must compare numbers, not texts.
        text = QStringLiteral("<html>\r\n<a href=#a>1</a>\r\n<a name=a>A</a>\r\n<a href=there.html>2</a>\r\n"
                              "<a href=missing.html>3</a>\r\n<a href=#nowhere>4</a>\r\n\r\n\r\n\r\n"
                              "<a href='q\"uote, comma.html'>5</a>");
        load(writeDocument(QStringLiteral("list.html"), text.toUtf8()));
        ASSERT_TRUE(window.document().docLoaded);
    }

    QTableView* table() { return control<QTableView>("linkTable"); }
    QAbstractItemModel* rows() { return table()->model(); }
    QString cell(int row, Column column) { return rows()->index(row, column).data().toString(); }

    QStringList columnOf(Column column)
    {
        QStringList values;
        for (int row = 0; row < rows()->rowCount(); ++row)
            values.append(cell(row, column));
        return values;
    }

    int rowOf(const QString& value) { return int(columnOf(Column::ValueColumn).indexOf(value)); }
    int at(const QString& tag) { return int(window.editor().text().indexOf(tag)); }
    QString countShown() { return control<QLabel>("linkCountLabel")->text(); }

    // Inserts text at a text offset as typing would.
    void insertAt(int offset, const QString& inserted)
    {
        QTextCursor cursor(window.editor().document());
        cursor.setPosition(window.editor().toDocumentPosition(offset));
        cursor.insertText(inserted);
    }

    QString text;
};

TEST_F(LinkList, ShowsEveryLinkOfALoadWithItsLineResultValueReasonAndTarget)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* panel = control<QDockWidget>("linkListPanel");
    EXPECT_FALSE(panel->isVisible());
    window.findChild<QAction*>(QStringLiteral("linkListAction"))->trigger();
    EXPECT_TRUE(panel->isVisible());

    EXPECT_EQ(columnOf(Column::LineColumn), (QStringList{"2", "4", "5", "6", "10"}));
    EXPECT_EQ(columnOf(Column::ValueColumn),
              (QStringList{"#a", "there.html", "missing.html", "#nowhere", "q\"uote, comma.html"}));
    EXPECT_EQ(columnOf(Column::ResultColumn), (QStringList{"OK：ページリンク", "OK：Fileリンク", "NG：Fileリンク",
                                                           "NG：ページリンク", "NG：Fileリンク"}));
    EXPECT_EQ(rows()->index(2, Column::ResultColumn).data(Qt::ForegroundRole).value<QBrush>().color(),
              toQColor(colorOf(LinkClass::NgFile)));
    for (const QString& reason : columnOf(Column::ReasonColumn))
        EXPECT_FALSE(reason.isEmpty());
    EXPECT_TRUE(cell(1, Column::TargetColumn).endsWith(QStringLiteral("/there.html")))
        << cell(1, Column::TargetColumn).toStdString();
    EXPECT_EQ(countShown(), QStringLiteral("5 / 5 件"));

    // The docked panel takes room from the editor; the status strip stays in sight below it.
    QCoreApplication::processEvents();
    const QWidget* area = window.centralWidget();
    const QWidget* strip = control<QWidget>("statusStrip");
    EXPECT_EQ(strip->geometry().bottom(), area->rect().bottom());
    EXPECT_LE(control<QWidget>("editorArea")->geometry().bottom(), strip->geometry().top());
}

TEST_F(LinkList, SortsByAnyColumnAndFiltersByTextAndClass)
{
    table()->sortByColumn(Column::LineColumn, Qt::DescendingOrder);
    EXPECT_EQ(columnOf(Column::LineColumn), (QStringList{"10", "6", "5", "4", "2"}));
    table()->sortByColumn(Column::ValueColumn, Qt::AscendingOrder);
    EXPECT_EQ(columnOf(Column::ValueColumn),
              (QStringList{"#a", "#nowhere", "missing.html", "q\"uote, comma.html", "there.html"}));

    // Filtering away the current row leaves the editor's selection where it was.
    table()->setCurrentIndex(rows()->index(rowOf(QStringLiteral("#a")), Column::ValueColumn));
    window.editor().setSelection(0, 0);
    auto* filterEdit = control<QLineEdit>("linkFilterEdit");
    filterEdit->setText(QStringLiteral("HTML")); // any column, any letter case
    EXPECT_EQ(window.editor().selStart(), 0);
    EXPECT_EQ(columnOf(Column::ValueColumn), (QStringList{"missing.html", "q\"uote, comma.html", "there.html"}));
    EXPECT_EQ(countShown(), QStringLiteral("3 / 5 件"));

    auto* classCombo = control<QComboBox>("linkClassCombo");
    classCombo->setCurrentIndex(classCombo->findText(QStringLiteral("NG：Fileリンク")));
    EXPECT_EQ(columnOf(Column::ValueColumn), (QStringList{"missing.html", "q\"uote, comma.html"}));
    filterEdit->clear();
    classCombo->setCurrentIndex(classCombo->findText(QStringLiteral("NG：ページリンク")));
    EXPECT_EQ(columnOf(Column::ValueColumn), (QStringList{"#nowhere"}));
    EXPECT_EQ(countShown(), QStringLiteral("1 / 5 件"));
    classCombo->setCurrentIndex(1); // every NG class
    EXPECT_EQ(columnOf(Column::ValueColumn), (QStringList{"#nowhere", "missing.html", "q\"uote, comma.html"}));
    classCombo->setCurrentIndex(0);
    EXPECT_EQ(countShown(), QStringLiteral("5 / 5 件"));
}

TEST_F(LinkList, ChoosingARowSelectsItsTagAndDescribesIt)
{
    table()->sortByColumn(Column::LineColumn, Qt::DescendingOrder);
    window.editor().setSelection(0, 0);
    table()->setCurrentIndex(rows()->index(rowOf(QStringLiteral("missing.html")), Column::ValueColumn));
    EXPECT_EQ(window.editor().selStart(), at(QStringLiteral("<a href=missing")));
    EXPECT_EQ(window.editor().selLength(), 1);
    EXPECT_EQ(control<QLabel>("statusSentence")->text(), QStringLiteral("Fileが見つかりません。"));
}

TEST_F(LinkList, RowsFollowTheirTagsThroughEditsAndASingleCheckUpdatesItsRow)
{
    insertAt(0, QStringLiteral("<p>\r\n\r\n"));
    EXPECT_EQ(columnOf(Column::LineColumn), (QStringList{"4", "6", "7", "8", "12"}));
    table()->setCurrentIndex(rows()->index(rowOf(QStringLiteral("#nowhere")), Column::LineColumn));
    EXPECT_EQ(window.editor().selStart(), at(QStringLiteral("<a href=#nowhere")));

    // Editing the tag itself: its row no longer claims a result.
    const int row = rowOf(QStringLiteral("missing.html"));
    insertAt(at(QStringLiteral("missing.html")), QStringLiteral("still-"));
    EXPECT_EQ(cell(row, Column::ResultColumn), QStringLiteral("編集済み（未調査）"));
    EXPECT_EQ(rows()->index(row, 0).data(LinkListModel::ClassRole).toInt(), -1);

    writeDocument(QStringLiteral("still-missing.html"), "");
    window.editor().setSelection(at(QStringLiteral("still-missing")), 0);
    clickAndWait("checkOneLinkButton");
    EXPECT_EQ(cell(row, Column::ResultColumn), QStringLiteral("OK：Fileリンク"));
    EXPECT_EQ(cell(row, Column::ValueColumn), QStringLiteral("still-missing.html"));
    EXPECT_EQ(cell(row, Column::LineColumn), QStringLiteral("7"));
}

TEST_F(LinkList, AFullCheckRebuildsTheListAndOnlyALoadThatReadsReplacesIt)
{
    insertAt(window.editor().textLength(), QStringLiteral("\r\n<a href=#gone>6</a>"));
    clickAndWait("checkAllLinksButton");
    EXPECT_EQ(rows()->rowCount(), 6);
    EXPECT_EQ(cell(5, Column::ValueColumn), QStringLiteral("#gone"));

    // A failed read leaves the document, and so its list, as they were.
    prompter.answers << Prompter::Answer::Yes << Prompter::Answer::Ok << Prompter::Answer::Yes;
    load(folder.filePath(QStringLiteral("no-such.html")));
    EXPECT_EQ(prompter.ids(), (QList{PromptId::DiscardEdits, PromptId::ReadFailed}));
    EXPECT_EQ(rows()->rowCount(), 6);
    load(writeDocument(QStringLiteral("other.html"), "<html><a href=there.html>x</a>"));
    EXPECT_EQ(columnOf(Column::ValueColumn), QStringList{QStringLiteral("there.html")});
}

// Reads a CSV file with Python's csv module, as a spreadsheet import would.
QList<QStringList> readCsv(const QString& path)
{
    QProcess python;
    python.start(LoopbackServerOptions().python,
                 {QStringLiteral("-c"),
                  QStringLiteral("import csv, json, sys\n"
                                 "with open(sys.argv[1], newline='', encoding='utf-8-sig') as f:\n"
                                 "    print(json.dumps(list(csv.reader(f))))\n"),
                  path});
    if (!python.waitForFinished(10000) || python.exitCode() != 0) {
        ADD_FAILURE() << python.readAllStandardError().toStdString();
        return {};
    }
    QList<QStringList> records;
    for (const QJsonValue& record : QJsonDocument::fromJson(python.readAllStandardOutput()).array())
        records.append(record.toVariant().toStringList());
    return records;
}

TEST_F(LinkList, SavesTheShownRowsAsUtf8CsvThatACsvReaderReadsBack)
{
    if (!QFileInfo(LoopbackServerOptions().python).isExecutable())
        GTEST_SKIP() << "python3 is needed to read the CSV back";
    control<QLineEdit>("linkFilterEdit")->setText(QStringLiteral("html"));
    const QString path = folder.filePath(QStringLiteral("links.csv"));
    prompter.fileNames << path;
    button("saveCsvButton")->click();
    EXPECT_EQ(prompter.dialogs, QList{FileDialogKind::SaveLinkList});
    EXPECT_TRUE(messages().isEmpty()) << messages().join(u'\n').toStdString();

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(3) == "\xEF\xBB\xBF");
    const QList<QStringList> records = readCsv(path);
    ASSERT_EQ(records.size(), 4);
    EXPECT_EQ(records[0], (QStringList{"行", "結果", "リンク", "理由", "リンク先", "タグ", "修正候補"}));
    for (int row = 0; row < 3; ++row) {
        QStringList shown;
        for (int column = 0; column < Column::ColumnCount; ++column)
            shown.append(cell(row, Column(column)));
        EXPECT_EQ(records[row + 1], shown);
    }
    EXPECT_EQ(records[3][Column::ValueColumn], QStringLiteral("q\"uote, comma.html"));
}

TEST_F(LinkList, AFailedCsvWriteSaysSo)
{
    prompter.fileNames << folder.filePath(QStringLiteral("no-such-folder/links.csv"));
    button("saveCsvButton")->click();
    ASSERT_EQ(prompter.ids(), QList{PromptId::WriteFailed});
    EXPECT_TRUE(messages().front().contains(QStringLiteral("no-such-folder"))) << messages().front().toStdString();
}

} // namespace
