// The row helpers that layouts are written with: each row must carry what
// the window layer reads from it, with the defaults the layouts rely on.
#include <gtest/gtest.h>

#include "rt/window_template.h"

namespace {

TEST(WindowTemplate, PageUnitsKeepTheirPlaceRelativeToTheTabControl) {
    const rt::UnitTemplate tab = rt::TabControl(8, 16, 104, 728, 241, rt::kVisible, "0\n1\n2\n3", rt::Rgb(0, 170, 169));
    EXPECT_EQ(tab.kind, rt::UnitKind::TabControl);
    EXPECT_EQ(tab.currentItem, 0);  // opens on its first page
    EXPECT_EQ(tab.container, 0);

    const rt::UnitTemplate onPage =
        rt::OnPage(8, 2, rt::Label(21, 93, 24, 443, 16, rt::kVisible, "窗体位置", rt::DefaultFont()));
    EXPECT_EQ(onPage.container, 8);
    EXPECT_EQ(onPage.page, 2);
    EXPECT_EQ(onPage.left, 93);
    EXPECT_EQ(onPage.top, 24);
    EXPECT_EQ(onPage.width, 443);
    EXPECT_EQ(onPage.height, 16);
    EXPECT_EQ(onPage.text, "窗体位置");
}

TEST(WindowTemplate, ColoursDefaultAsTheLayoutsAreWritten) {
    const rt::UnitTemplate label = rt::Label(2, 0, 0, 10, 10, rt::kVisible, "", rt::DefaultFont());
    EXPECT_EQ(label.textColor, rt::kWhite);
    EXPECT_EQ(label.backColor, rt::kNoColor);  // the container's colour shows
    EXPECT_EQ(rt::TransparentLabel(3, 0, 0, 10, 10, 0, "", rt::DefaultFont()).backColor, rt::kNoColor);

    const rt::UnitTemplate button = rt::SuperButton(4, 0, 0, 88, 32, rt::kVisible, "立即校对", "提示",
                                                    rt::Font("微软雅黑", -14), rt::Rgb(37, 29, 20),
                                                    rt::Rgb(0, 224, 128), rt::Rgb(37, 29, 20));
    EXPECT_EQ(button.textColor, rt::kWhite);  // the caption is white in every state
    EXPECT_EQ(button.backColor, rt::Rgb(37, 29, 20));
    EXPECT_EQ(button.hotColor, rt::Rgb(0, 224, 128));
    EXPECT_EQ(button.focusColor, rt::Rgb(37, 29, 20));
    EXPECT_EQ(button.tooltip, "提示");

    const rt::UnitTemplate list = rt::ListBox(5, 0, 0, 208, 130, rt::kVisible, "甲\n乙", {8, -10}, 0, rt::DefaultFont());
    EXPECT_EQ(list.textColor, rt::kBlack);
    EXPECT_EQ(list.backColor, rt::kWhite);
}

TEST(WindowTemplate, ListsImagesAndTimersKeepTheirData) {
    const rt::UnitTemplate list =
        rt::ListBox(5, 0, 0, 208, 130, rt::kVisible, "中国\n首尔\n夏威夷", {8, 9, -10}, 0, rt::DefaultFont());
    EXPECT_EQ(list.text, "中国\n首尔\n夏威夷");
    EXPECT_EQ(list.itemData, (std::vector<int32_t>{8, 9, -10}));
    EXPECT_EQ(list.currentItem, 0);
    EXPECT_EQ(rt::ComboBox(6, 0, 0, 48, 20, 0, "关机\n重启\n睡眠", 0, rt::DefaultFont()).currentItem, 0);
    EXPECT_EQ(rt::Label(7, 0, 0, 1, 1, 0, "", rt::DefaultFont()).currentItem, -1);

    const rt::ByteSet normal{1}, hover{2}, pressed{3};
    const rt::UnitTemplate graphic = rt::GraphicButton(9, 550, 25, 50, 19, rt::kVisible, &normal, &hover, &pressed);
    EXPECT_EQ(graphic.images[0], &normal);
    EXPECT_EQ(graphic.images[1], &hover);
    EXPECT_EQ(graphic.images[2], &pressed);

    const rt::UnitTemplate timer = rt::Timer(10, 30);
    EXPECT_EQ(timer.kind, rt::UnitKind::Timer);
    EXPECT_EQ(timer.interval, 30);
    EXPECT_EQ(timer.flags, 0u);
}

}  // namespace
