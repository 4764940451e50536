// The dialog templates the module carries, item by item as the resource compiler wrote them.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "plugin/dialog_ids.h"

namespace {

// Reads a dialog template resource in either format.
class TemplateReader {
public:
    explicit TemplateReader(int id) {
        HRSRC found = FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));
        if (found == nullptr) return;
        at_ = static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, found)));
        begin_ = at_;
        end_ = at_ + SizeofResource(nullptr, found);
    }
    bool found() const { return at_ != nullptr; }

    unsigned word() { return take(2); }
    unsigned dword() { return take(4); }
    int shortValue() { return static_cast<short>(take(2)); }
    unsigned byte() { return take(1); }
    // A name or an ordinal ("#N").
    std::string nameOrOrdinal() {
        if (peekWord() == 0xFFFF) {
            take(2);
            return "#" + std::to_string(take(2));
        }
        return text();
    }
    std::string text() {
        std::string result;
        while (unsigned c = take(2)) result += static_cast<char>(c);
        return result;
    }
    void alignToDword() {
        while ((at_ - begin_) % 4 != 0) ++at_;
    }

private:
    unsigned peekWord() const { return at_ + 2 <= end_ ? at_[0] | at_[1] << 8 : 0; }
    unsigned take(int bytes) {
        unsigned value = 0;
        for (int i = 0; i < bytes && at_ < end_; ++i) value |= static_cast<unsigned>(*at_++) << (8 * i);
        return value;
    }
    const unsigned char* begin_ = nullptr;
    const unsigned char* at_ = nullptr;
    const unsigned char* end_ = nullptr;
};

struct Item {
    unsigned style;
    int x, y, cx, cy;
    int id;
    std::string windowClass;
    std::string title;
};

// The predefined classes the resource compiler writes as ordinals.
std::string className(const std::string& raw) {
    if (raw == "#128") return "button";
    if (raw == "#129") return "edit";
    if (raw == "#130") return "static";
    std::string lower = raw;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

void expectItems(const std::vector<Item>& got, const std::vector<Item>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(got[i].style, want[i].style) << i;
        EXPECT_EQ(got[i].x, want[i].x) << i;
        EXPECT_EQ(got[i].y, want[i].y) << i;
        EXPECT_EQ(got[i].cx, want[i].cx) << i;
        EXPECT_EQ(got[i].cy, want[i].cy) << i;
        EXPECT_EQ(got[i].id, want[i].id) << i;
        EXPECT_EQ(className(got[i].windowClass), want[i].windowClass) << i;
        EXPECT_EQ(got[i].title, want[i].title) << i;
    }
}

TEST(DialogTemplates, TransformationsSourceIsAnExtendedTemplate) {
    TemplateReader t(IDD_TRANSFORMATIONS_SOURCE);
    ASSERT_TRUE(t.found());
    EXPECT_EQ(t.word(), 1u);       // version
    EXPECT_EQ(t.word(), 0xFFFFu);  // extended signature
    t.dword();                     // help id
    EXPECT_EQ(t.dword(), 0x00000080u);
    EXPECT_EQ(t.dword(), 0x80C820C0u);
    const unsigned count = t.word();
    EXPECT_EQ(t.shortValue(), 0);
    EXPECT_EQ(t.shortValue(), 0);
    EXPECT_EQ(t.shortValue(), 178);
    EXPECT_EQ(t.shortValue(), 47);
    EXPECT_EQ(t.nameOrOrdinal(), "");  // no menu
    EXPECT_EQ(t.nameOrOrdinal(), "");  // the standard class
    EXPECT_EQ(t.text(), "Skelda");
    EXPECT_EQ(t.word(), 8u);  // points
    EXPECT_EQ(t.word(), 0u);  // weight
    EXPECT_EQ(t.byte(), 0u);  // not italic
    EXPECT_EQ(t.byte(), 1u);  // character set
    EXPECT_EQ(t.text(), "MS Sans Serif");
    std::vector<Item> items;
    for (unsigned i = 0; i < count; ++i) {
        t.alignToDword();
        Item item{};
        t.dword();  // help id
        EXPECT_EQ(t.dword(), 0u);
        item.style = t.dword();
        item.x = t.shortValue();
        item.y = t.shortValue();
        item.cx = t.shortValue();
        item.cy = t.shortValue();
        item.id = static_cast<int>(t.dword());
        item.windowClass = t.nameOrOrdinal();
        item.title = t.nameOrOrdinal();
        t.word();
        items.push_back(item);
    }
    expectItems(items, {
                           {0x50020000, 4, 4, 127, 8, -1, "static", "Transformations Source:"},
                           {0x50810080, 4, 14, 127, 12, IDC_SOURCE_PATH, "edit", ""},
                           {0x50010000, 136, 14, 38, 13, IDC_SOURCE_BROWSE, "button", "Browse..."},
                           {0x50010000, 136, 30, 38, 13, IDC_SOURCE_APPLY, "button", "Apply"},
                       });
}

TEST(DialogTemplates, ApplyProgressIsAClassicTemplate) {
    TemplateReader t(IDD_APPLY_PROGRESS);
    ASSERT_TRUE(t.found());
    EXPECT_EQ(t.dword(), 0x80C800C0u);
    EXPECT_EQ(t.dword(), 0u);
    const unsigned count = t.word();
    EXPECT_EQ(t.shortValue(), 0);
    EXPECT_EQ(t.shortValue(), 0);
    EXPECT_EQ(t.shortValue(), 186);
    EXPECT_EQ(t.shortValue(), 58);
    EXPECT_EQ(t.nameOrOrdinal(), "");
    EXPECT_EQ(t.nameOrOrdinal(), "");
    EXPECT_EQ(t.text(), "Application of transforms to layer...");
    EXPECT_EQ(t.word(), 8u);
    EXPECT_EQ(t.text(), "MS Sans Serif");
    std::vector<Item> items;
    for (unsigned i = 0; i < count; ++i) {
        t.alignToDword();
        Item item{};
        item.style = t.dword();
        EXPECT_EQ(t.dword(), 0u);
        item.x = t.shortValue();
        item.y = t.shortValue();
        item.cx = t.shortValue();
        item.cy = t.shortValue();
        item.id = static_cast<int>(t.word());
        item.windowClass = t.nameOrOrdinal();
        item.title = t.nameOrOrdinal();
        t.word();
        items.push_back(item);
    }
    expectItems(items, {
                           {0x50010000, 67, 37, 50, 14, IDCANCEL, "button", "Cancel"},
                           {0x50800000, 7, 18, 172, 14, IDC_PROGRESS_BAR, "msctls_progress32", "Progress1"},
                           {0x50020001, 7, 7, 172, 10, IDC_PROGRESS_TEXT, "static", "Static"},
                       });
}

}  // namespace
