#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/entry_list_editor.h"
#include "support/fake_port.h"

namespace {

using testing_support::FakePort;

// A list of whole numbers typed as text into one field.
struct EntryListEditorTest : testing::Test {
    std::optional<int> read(const std::string& text) {
        ++reads;
        if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) {
            port.showMessage(app::kErrorCaption, "not a number: " + text);
            return std::nullopt;
        }
        return std::stoi(text);
    }

    bool add(const std::string& text) {
        field = text;
        return list.AddClick();
    }

    FakePort port;
    std::string field;
    int selected = -1;
    int changes = 0;
    int reads = 0;
    app::EntryListEditor<std::string, int> list{
        port,
        selected,
        {"Choose a row.", [this](const std::string& text) { return read(text); },
         [this] { return field; }, [this](int item) { field = std::to_string(item); }},
        [this] { ++changes; }};
};

TEST_F(EntryListEditorTest, TheButtonsWorkOnTheSelectedRowAndMoveTheSelection) {
    ASSERT_TRUE(add("10"));
    ASSERT_TRUE(add("20"));
    ASSERT_TRUE(add("30"));
    EXPECT_EQ(list.Items(), (std::vector<int>{10, 20, 30}));
    EXPECT_EQ(selected, 2);  // the row added
    EXPECT_EQ(changes, 3);

    list.Select(1);
    EXPECT_EQ(field, "20");
    field = "25";
    ASSERT_TRUE(list.ChangeClick());
    EXPECT_EQ(list.Items(), (std::vector<int>{10, 25, 30}));
    EXPECT_EQ(selected, 1);

    // The row that takes the removed one's place is selected and shown, then the last one.
    list.RemoveClick();
    EXPECT_EQ(list.Items(), (std::vector<int>{10, 30}));
    EXPECT_EQ(selected, 1);
    EXPECT_EQ(field, "30");
    list.RemoveClick();
    EXPECT_EQ(selected, 0);
    EXPECT_EQ(field, "10");
    list.RemoveClick();
    EXPECT_TRUE(list.Items().empty());
    EXPECT_EQ(selected, -1);
    EXPECT_EQ(changes, 7);
    EXPECT_TRUE(port.messages.empty());
}

TEST_F(EntryListEditorTest, RefusalsAndMissingSelectionsLeaveTheListAsItWas) {
    ASSERT_TRUE(add("10"));
    const int changesBefore = changes;

    // A refused entry: only its reader's message; the list and the selection stay.
    EXPECT_FALSE(add("1x"));
    EXPECT_FALSE(list.ChangeClick());
    EXPECT_FALSE(list.Change(0, "-3"));
    ASSERT_EQ(port.messages.size(), 3u);
    EXPECT_EQ(port.messages[0].text, "not a number: 1x");
    EXPECT_EQ(list.Items(), std::vector<int>{10});
    EXPECT_EQ(selected, 0);

    // Nothing selected: "Изменить" says so without reading the fields.
    port.messages.clear();
    const int readsBefore = reads;
    for (int index : {-1, 1}) {
        selected = index;
        field = "40";
        EXPECT_FALSE(list.ChangeClick());
        list.RemoveClick();
        list.Remove(index);
        list.Select(index);
        EXPECT_EQ(selected, -1);
    }
    EXPECT_EQ(reads, readsBefore);
    ASSERT_EQ(port.messages.size(), 2u);
    EXPECT_EQ(port.messages[0].caption, app::kErrorCaption);
    EXPECT_EQ(port.messages[1].text, "Choose a row.");
    EXPECT_EQ(list.Items(), std::vector<int>{10});
    EXPECT_EQ(changes, changesBefore);
}

}  // namespace
