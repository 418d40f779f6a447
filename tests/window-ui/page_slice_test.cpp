#include "window/qml/page_slice_model.h"

#include <QSignalSpy>
#include <QStringListModel>
#include <QTest>

#include <gtest/gtest.h>

namespace orbitdeck {
namespace {

QStringList rowsOf(const PageSliceModel& slice) {
    QStringList out;
    for (int row = 0; row < slice.rowCount(); ++row)
        out << slice.data(slice.index(row), Qt::DisplayRole).toString();
    return out;
}

TEST(PageSliceModel, ShowsItsRangeAndFollowsTheSourceWithoutResets) {
    QStringListModel source({"a", "b", "c", "d", "e", "f", "g"});
    PageSliceModel slice;
    QSignalSpy resets(&slice, &QAbstractItemModel::modelReset);
    slice.setSourceModel(&source);
    slice.setCount(3);
    slice.setFirst(3);
    resets.clear();
    { EXPECT_EQ(rowsOf(slice), (QStringList{"d", "e", "f"})); }
    {
        // A row removed before the page pulls the next one in.
        source.removeRow(0);
        EXPECT_EQ(rowsOf(slice), (QStringList{"e", "f", "g"}));
    }
    {
        // A row inserted before the page pushes one out at the end.
        source.insertRow(1);
        source.setData(source.index(1), QStringLiteral("x"));
        EXPECT_EQ(rowsOf(slice), (QStringList{"d", "e", "f"}));
    }
    {
        // A move inside the source reaches the page as a move.
        QSignalSpy moves(&slice, &QAbstractItemModel::rowsMoved);
        source.moveRow({}, 5, {}, 3); // f before d
        EXPECT_EQ(rowsOf(slice), (QStringList{"f", "d", "e"}));
        EXPECT_GE(moves.count(), 1);
    }
    {
        // Turning the page, and a last page shorter than the range.
        slice.setFirst(6);
        EXPECT_EQ(rowsOf(slice), (QStringList{"g"}));
        slice.setCount(0);
        EXPECT_TRUE(rowsOf(slice).isEmpty());
    }
    EXPECT_EQ(resets.count(), 0);
    {
        // Data changes of a shown row are passed on.
        slice.setCount(3);
        slice.setFirst(0);
        QSignalSpy changes(&slice, &QAbstractItemModel::dataChanged);
        source.setData(source.index(1), QStringLiteral("renamed"));
        EXPECT_EQ(changes.count(), 1);
        EXPECT_EQ(slice.get(1, QStringLiteral("display")).toString(), QStringLiteral("renamed"));
    }
    {
        // A budgeted turn gets there in steps and names each row a step binds, once, so its
        // view can ready that tile within the step.
        slice.setStepBudget(1);
        QSignalSpy bound(&slice, &PageSliceModel::rowBound);
        slice.setFirst(3);
        EXPECT_FALSE(slice.settled());
        EXPECT_TRUE(QTest::qWaitFor([&] { return slice.settled(); }, 5000));
        EXPECT_EQ(rowsOf(slice), (QStringList{"f", "d", "e"}));
        QList<int> rows;
        for (const QList<QVariant>& signal : bound)
            rows << signal.at(0).toInt();
        EXPECT_EQ(rows, (QList<int>{0, 1, 2}));
    }
}

} // namespace
} // namespace orbitdeck
