#include "WindowFixture.h"
#include "editor/Contrast.h"
#include "window/LinkListModel.h"

#include <QApplication>
#include <QTableView>

namespace {

// The program under a dark palette, as a dark desktop theme sets one; the light one comes back afterwards.
class DarkPalette : public WindowFixture {
protected:
    void TearDown() override { QApplication::setPalette(light); }

    const QPalette light = QApplication::palette();
};

// As soon as the palette turns dark, every link in the editor and in the link list reads well on the editor's
// background; once it is light again, the editor shows the colours it always did.
TEST_F(DarkPalette, TheLinkColoursFollowThePalette)
{
    load(writeDocument(QStringLiteral("dark.html"),
                       "<html><a name=a></a><a href=#a>1</a> <a href=#x>2</a> "
                       "<a href=dark.html>3</a> <a href=gone.html>4</a> <a href=mailto:x>5</a>"));
    const LinkSpans& spans = window.linkSpans();
    ASSERT_EQ(spans.count(), 5);
    QList<Colorref> lightColours;
    for (int span = 0; span < spans.count(); ++span)
        lightColours.append(settledPaintAt(spans.offsetOf(span)).first);

    QPalette dark(QColor(0x31, 0x36, 0x3b));
    dark.setColor(QPalette::Base, QColor(0x23, 0x26, 0x29));
    dark.setColor(QPalette::Text, QColor(0xef, 0xf0, 0xf1));
    QApplication::setPalette(dark);
    QCoreApplication::processEvents(); // the widgets hear of it by posted events
    const QAbstractItemModel* list = control<QTableView>("linkTable")->model();
    for (int span = 0; span < spans.count(); ++span) {
        const QColor painted = toQColor(settledPaintAt(spans.offsetOf(span)).first);
        const QVariant listed = list->index(span, LinkListModel::ResultColumn).data(Qt::ForegroundRole);
        EXPECT_GE(contrastRatio(painted, dark.color(QPalette::Base)), ReadableContrast) << span;
        EXPECT_GE(contrastRatio(listed.value<QBrush>().color(), dark.color(QPalette::Base)), ReadableContrast) << span;
    }

    QApplication::setPalette(light);
    QCoreApplication::processEvents();
    for (int span = 0; span < spans.count(); ++span)
        EXPECT_EQ(settledPaintAt(spans.offsetOf(span)).first, lightColours[span]) << span;
}

} // namespace
