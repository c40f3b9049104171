#include <chrono>
#include <string>
#include <vector>

#include <QImage>
#include <QTableView>
#include <QTreeView>

#include <gtest/gtest.h>

#include "filelist/qt/filelistmodel.h"
#include "filelist/qt/namedelegate.h"

namespace {

FileList::TFileItems MakeItems(const std::vector<std::string>& names) {
  FileList::TFileItems items;
  for (const auto& name : names) items.push_back({name, name + ".new", -1, false});
  return items;
}

std::vector<std::string> OldNames(const TFileListModel& model) {
  std::vector<std::string> names;
  for (const auto& item : model.Items()) names.push_back(item.OldName);
  return names;
}

QString Cell(const TFileListModel& model, int row, int column) {
  return model.data(model.index(row, column)).toString();
}

TEST(FileListModel, ShowsOldAndNewNameInTwoColumns) {
  TFileListModel model;
  model.SetItems(MakeItems({"a.txt", "b.txt"}));
  EXPECT_EQ(model.rowCount(), 2);
  EXPECT_EQ(model.columnCount(), 2);
  EXPECT_EQ(Cell(model, 1, 0), "b.txt");
  EXPECT_EQ(Cell(model, 1, 1), "b.txt.new");
  EXPECT_FALSE(model.data(model.index(0, 0), Qt::EditRole).isValid());
  // A table model has no children.
  EXPECT_EQ(model.rowCount(model.index(0, 0)), 0);
}

TEST(FileListModel, NamesThatAreNotUtf8KeepTheirBytes) {
  const std::string latin1 = "caf\xe9.txt";
  TFileListModel model;
  model.SetItems(MakeItems({latin1, "\xc3\xa9t\xc3\xa9.mp3"}));
  EXPECT_EQ(Cell(model, 0, 0), QString::fromUtf8("caf\xef\xbf\xbd.txt"));
  EXPECT_EQ(Cell(model, 1, 0), QString::fromUtf8("\xc3\xa9t\xc3\xa9.mp3"));
  EXPECT_EQ(model.Items()[0].OldName, latin1);
}

// Pixels of the markers' hue (red and blue well above green; plain text is
// grey) in the drawn list, per row.
std::vector<int> MarkerPixels(TFileListModel& model) {
  QTreeView view;
  view.setModel(&model);
  view.setItemDelegate(new TNameDelegate(&view));
  view.resize(400, 200);
  view.setColumnWidth(0, 200);
  const QImage image = view.viewport()->grab().toImage();
  std::vector<int> pixels;
  for (int row = 0; row < model.rowCount(); ++row) {
    const QRect rect = view.visualRect(model.index(row, 0));
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
      for (int x = rect.left(); x <= rect.right(); ++x) {
        const QColor c = image.pixelColor(x, y);
        count += c.red() - c.green() > 40 && c.blue() - c.green() > 40 ? 1 : 0;
      }
    pixels.push_back(count);
  }
  return pixels;
}

TEST(FileListModel, HiddenCharactersShowAsMarkersOfTheirOwnColour) {
  const std::string spoof = "invoice\u202Efdp.exe";
  TFileListModel model;
  model.SetItems(MakeItems({spoof, "\u200Bx", "<U+202E>plain.txt"}));
  EXPECT_EQ(Cell(model, 0, 0), QStringLiteral("invoice<U+202E>fdp.exe"));
  EXPECT_EQ(Cell(model, 1, 1), QStringLiteral("<U+200B>x.new"));
  const auto markers = [&](int row) {
    return model.data(model.index(row, 0), TFileListModel::MarkerRole).toList();
  };
  EXPECT_EQ(markers(0), (QVariantList{7, 8}));
  EXPECT_EQ(markers(1), (QVariantList{0, 8}));
  EXPECT_TRUE(markers(2).isEmpty());  // a name that only looks like a marker
  EXPECT_EQ(model.Items()[0].OldName, spoof);
  const std::vector<int> pixels = MarkerPixels(model);
  EXPECT_GT(pixels[0], 10);
  EXPECT_GT(pixels[1], 10);
  EXPECT_EQ(pixels[2], 0);
}

TEST(FileListModel, ColumnTitlesAreSettable) {
  TFileListModel model;
  int changes = 0;
  QObject::connect(&model, &QAbstractItemModel::headerDataChanged, [&] { ++changes; });
  model.SetColumnTitles("Old name", "New name");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), "Old name");
  EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "New name");
  EXPECT_FALSE(model.headerData(2, Qt::Horizontal).isValid());
}

TEST(FileListModel, NewNamesChangedRefreshesTheWholeSecondColumn) {
  TFileListModel model;
  model.SetItems(MakeItems({"a", "b", "c"}));
  std::vector<std::pair<QModelIndex, QModelIndex>> ranges;
  QObject::connect(
      &model, &QAbstractItemModel::dataChanged,
      [&](const QModelIndex& from, const QModelIndex& to) { ranges.emplace_back(from, to); });
  model.MutableItems()[2].NewName = "z";
  model.NewNamesChanged();
  ASSERT_EQ(ranges.size(), 1u);  // whole rows: the marks colour both columns
  EXPECT_EQ(ranges[0].first, model.index(0, 0));
  EXPECT_EQ(ranges[0].second, model.index(2, 1));
  EXPECT_EQ(Cell(model, 2, 1), "z");
}

struct TRemoveCase {
  const char* Title;
  std::vector<std::pair<int, int>> Selected;  // row, column
  std::vector<std::string> Expected;
};

class FileListModelRemove : public ::testing::TestWithParam<TRemoveCase> {};

TEST_P(FileListModelRemove, TakesSelectedRowsOutKeepingOrder) {
  TFileListModel model;
  model.SetItems(MakeItems({"a", "b", "c", "d", "e"}));
  QModelIndexList selected;
  for (const auto& [row, column] : GetParam().Selected) selected << model.index(row, column);
  model.RemoveRows(selected);
  EXPECT_EQ(OldNames(model), GetParam().Expected);
  EXPECT_EQ(model.rowCount(), static_cast<int>(GetParam().Expected.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FileListModelRemove,
    ::testing::Values(TRemoveCase{"Nothing", {}, {"a", "b", "c", "d", "e"}},
                      TRemoveCase{"First", {{0, 0}}, {"b", "c", "d", "e"}},
                      TRemoveCase{"Last", {{4, 1}}, {"a", "b", "c", "d"}},
                      TRemoveCase{"Adjacent", {{1, 0}, {2, 0}}, {"a", "d", "e"}},
                      TRemoveCase{"BothColumnsOfOneRow", {{3, 0}, {3, 1}}, {"a", "b", "c", "e"}},
                      TRemoveCase{"OutOfOrder", {{4, 0}, {0, 1}, {2, 0}}, {"b", "d"}},
                      TRemoveCase{"All", {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}, {}}),
    [](const auto& info) { return std::string(info.param.Title); });

TEST(FileListModel, RemovalFollowsTheIndexesNotOldSelectionFlags) {
  TFileListModel model;
  model.SetItems(MakeItems({"a", "b", "c"}));
  model.MutableItems()[0].Selected = true;
  model.RemoveRows({model.index(2, 0)});
  EXPECT_EQ(OldNames(model), (std::vector<std::string>{"a", "b"}));
  EXPECT_FALSE(model.Items()[0].Selected);
}

TEST(FileListModel, IndexesOfAnotherModelRemoveNothing) {
  TFileListModel model;
  TFileListModel other;
  model.SetItems(MakeItems({"a", "b"}));
  other.SetItems(MakeItems({"x", "y"}));
  model.RemoveRows({other.index(0, 0), QModelIndex()});
  EXPECT_EQ(OldNames(model), (std::vector<std::string>{"a", "b"}));
}

TEST(FileListModel, HundredThousandRowsResetAndRemoveQuickly) {
  TFileListModel model;
  QTableView view;
  view.setModel(&model);
  view.resize(600, 400);
  view.show();
  int resets = 0;
  int rowSignals = 0;
  QObject::connect(&model, &QAbstractItemModel::modelReset, [&] { ++resets; });
  QObject::connect(&model, &QAbstractItemModel::rowsInserted, [&] { ++rowSignals; });
  QObject::connect(&model, &QAbstractItemModel::rowsRemoved, [&] { ++rowSignals; });
  const auto start = std::chrono::steady_clock::now();
  FileList::TFileItems items(100000);
  for (std::size_t i = 0; i < items.size(); ++i) items[i].OldName = std::to_string(i);
  model.SetItems(std::move(items));
  QModelIndexList everyOther;
  for (int row = 0; row < 100000; row += 2) everyOther << model.index(row, 0);
  model.RemoveRows(everyOther);
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(model.rowCount(), 50000);
  EXPECT_EQ(model.Items().front().OldName, "1");
  EXPECT_EQ(model.Items().back().OldName, "99999");
  EXPECT_EQ(resets, 2);
  EXPECT_EQ(rowSignals, 0);
  EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count(), 3000);
}

}  // namespace
