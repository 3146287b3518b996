// Every menu, accelerator, string and dialog text against a table written by hand (ids as numbers).
#include "res/TrackwrightResources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// One line per resource entry, in resource order.
std::vector<std::string> Rows(const ResourceSet& res)
{
    std::vector<std::string> rows;
    auto num = [](auto n) { return std::to_string(n); };
    for (const MenuItemDef& m : res.menu) {
        switch (m.kind) {
        case MenuItemDef::Popup: rows.push_back("menu " + std::string(m.text)); break;
        case MenuItemDef::EndPopup: rows.push_back("end"); break;
        case MenuItemDef::Separator: rows.push_back("separator"); break;
        case MenuItemDef::Item:
            rows.push_back("item " + num(m.nID) + " " + m.text + (m.grayed ? " (grayed)" : ""));
            break;
        }
    }
    for (const AccelDef& a : res.accelerators)
        rows.push_back("accel " + std::string(a.ctrl ? "Ctrl+" : "") + (a.shift ? "Shift+" : "") +
                       (a.alt ? "Alt+" : "") + a.key + " " + num(a.nID));
    for (const StringDef& s : res.strings)
        rows.push_back("string " + num(s.nID) + " " + s.text);
    static const char* const kKinds[] = {"static", "edit", "default button", "button", "icon"};
    for (const DialogDef& d : res.dialogs) {
        rows.push_back("dialog " + num(d.nID) + " " + d.caption + " " + num(d.cx) + "x" + num(d.cy) + " " +
                       d.fontName + " " + num(d.fontPoints));
        for (const DialogControlDef& c : d.controls)
            rows.push_back("  " + std::string(kKinds[c.kind]) + " " + num(c.nID) + " \"" + c.text + "\" " +
                           num(c.x) + "," + num(c.y) + "," + num(c.cx) + "," + num(c.cy));
    }
    return rows;
}

const char* const kPrompt = "指定のﾌｧｲﾙを開く";

const std::vector<std::string> kExpected = {
    "menu ファイル(&F)", "item 57600 新規作成(&N)\tCtrl+N", "item 57601 開く(&O)...\tCtrl+O",
    "item 57603 上書き保存(&S)\tCtrl+S", "item 57604 名前を付けて保存(&A)...", "separator", "item 57616 最新のファイル (grayed)",
    "separator", "item 57665 終了(&X)", "end", "menu 表示(&V)", "item 32780 ハイトマップ表示(&H)",
    "item 32781 カラーマップ表示(&C)", "item 32784 全体表示(&A)\tHome", "item 59392 ツールバー(&T)", "end", "menu 設定(&O)",
    "item 32779 設定(&O)...", "end", "menu ヘルプ(&H)", "item 32771 使い方", "item 32772 ビューの移動：\t右ボタンドラッグ or 中ボタンドラッグ",
    "item 32773 ビューの拡大縮小：\tShift+右ボタンドラッグ or ホイール", "item 32774 コントロールポイントの移動：\t左ボタンドラッグ",
    "item 32775 接線ベクトルの編集：\t左ボタンドラッグ", "item 32776 コース幅の編集：\t左ボタンドラッグ",
    "item 32777 コントロールポイントの追加：\tコース中心線上でCtrl+左ボタン", "item 32778 コントロールポイントの削除：\tマウスでポイントしてDELキー",
    "item 32782 Xオブジェクトの追加：\tCtrl+左ボタン", "item 32783 Xオブジェクトの削除：\tマウスでポイントしてDELキー", "separator",
    "item 57664 バージョン情報(&A)...", "end", "accel Ctrl+N 57600", "accel Ctrl+O 57601", "accel Ctrl+S 57603",
    "accel Ctrl+P 57607", "accel Ctrl+Z 57643", "accel Alt+Backspace 57643", "accel Ctrl+X 57635",
    "accel Shift+Delete 57635", "accel Ctrl+C 57634", "accel Ctrl+Insert 57634", "accel Ctrl+V 57637",
    "accel Shift+Insert 57637", "accel F6 57680", "accel Shift+F6 57681", "accel Home 32784",
    "string 128 Trackwright\n\nCourse\n\n\nTrackwright.Document\nCourse Document", "string 57344 Trackwright",
    "string 140 ハイトマップのファイルが読み込めません: ", "string 141 カラーマップのファイルが読み込めません: ", "string 57345 ﾚﾃﾞｨ",
    "string 59136 EXT", "string 59137 CAP", "string 59138 NUM", "string 59139 SCRL", "string 59140 上書",
    "string 59141 記録", "string 59142 ｶﾅ", "string 57600 新規にﾌｧｲﾙを作成\n新規ﾌｧｲﾙ", "string 57601 既存のﾌｧｲﾙを開く\n開く",
    // The framework's standard prompts, also for commands the program has no handler for.
    "string 57602 作業中のﾌｧｲﾙを閉じる\n閉じる", "string 57603 作業中のﾌｧｲﾙを保存\n保存",
    "string 57604 作業中のﾌｧｲﾙに名前を付けて保存\n名前をつけて保存", "string 57605 印刷ｵﾌﾟｼｮﾝの変更\nﾍﾟｰｼﾞ ﾚｲｱｳﾄの設定",
    "string 57606 ﾌﾟﾘﾝﾀおよびﾌﾟﾘﾝﾀ ｵﾌﾟｼｮﾝの変更\n印刷設定", "string 57607 作業中のﾌｧｲﾙを印刷\n印刷",
    "string 57609 ﾌﾙ ﾍﾟｰｼﾞ表示\n印刷ﾌﾟﾚﾋﾞｭｰ",
    std::string("string 57616 ") + kPrompt,
    std::string("string 57617 ") + kPrompt,
    std::string("string 57618 ") + kPrompt,
    std::string("string 57619 ") + kPrompt,
    std::string("string 57620 ") + kPrompt,
    std::string("string 57621 ") + kPrompt,
    std::string("string 57622 ") + kPrompt,
    std::string("string 57623 ") + kPrompt,
    std::string("string 57624 ") + kPrompt,
    std::string("string 57625 ") + kPrompt,
    std::string("string 57626 ") + kPrompt,
    std::string("string 57627 ") + kPrompt,
    std::string("string 57628 ") + kPrompt,
    std::string("string 57629 ") + kPrompt,
    std::string("string 57630 ") + kPrompt,
    std::string("string 57631 ") + kPrompt,
    "string 57634 選択範囲をｺﾋﾟｰしてｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存\nｺﾋﾟｰ", "string 57635 選択範囲を切り取ってｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存\n切り取り",
    "string 57637 ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容を貼り付け\n貼り付け", "string 57643 直前に行った動作を元に戻す\n元に戻す",
    "string 57664 ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝそして著作権を表示\nﾊﾞｰｼﾞｮﾝ情報", "string 57665 ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示\n終了",
    "string 57680 次のｳｨﾝﾄﾞｳ ｳｨﾝﾄﾞｳに切り替え\n次のﾍﾟｲﾝ", "string 57681 前のｳｨﾝﾄﾞｳ ｳｨﾝﾄﾞｳに切り替え\n前のﾍﾟｲﾝ",
    "string 59392 ﾂｰﾙ ﾊﾞｰの表示/非表示\nﾂｰﾙ ﾊﾞｰの表示/非表示", "string 32784 ｺｰｽとXｵﾌﾞｼﾞｪｸﾄ全体が見えるように表示\n全体表示",
    "dialog 100 ﾊﾞｰｼﾞｮﾝ情報(Trackwright) 217x55 ＭＳ Ｐゴシック 9", "  icon 128 \"\" 11,17,20,20",
    "  static 0 \"Trackwright Version 1.00\" 40,10,119,8", "  static 0 \"上から見たレースコースのレイアウトエディタ\" 40,25,119,8",
    "  default button 1 \"OK\" 178,7,32,14", "dialog 130 設定ダイアログ 295x105 ＭＳ Ｐゴシック 9",
    "  static 0 \"ハイトマップ(&H):\" 5,5,46,8", "  edit 1000 \"\" 10,15,275,14",
    "  static 0 \"カラーマップ(&C):\" 5,40,47,8", "  edit 1001 \"\" 10,50,275,14",
    "  static 0 \"明るさ(&L):\" 5,70,28,8", "  edit 1002 \"\" 10,80,40,14",
    "  static 0 \"Xオブジェクトのスケール(&S):\" 65,70,82,8", "  edit 1003 \"\" 70,80,40,14",
    "  default button 1 \"OK\" 180,80,50,14", "  button 2 \"ｷｬﾝｾﾙ\" 235,80,50,14",
};

TEST(ResourceTexts, EveryMenuAcceleratorStringAndDialogTextIsExactlyAsWritten)
{
    const std::vector<std::string> rows = Rows(TrackwrightResources());
    // Rows that differ are named one by one; when all are there, the order of what shows in
    // order (menus, dialog controls in tab order) must match too.
    for (const std::string& want : kExpected)
        EXPECT_NE(std::find(rows.begin(), rows.end(), want), rows.end()) << "missing or changed: " << want;
    for (const std::string& got : rows)
        EXPECT_NE(std::find(kExpected.begin(), kExpected.end(), got), kExpected.end()) << "unexpected: " << got;
    auto ordered = [](std::vector<std::string> v) {
        std::erase_if(v, [](const std::string& r) { return r.starts_with("accel ") || r.starts_with("string "); });
        return v;
    };
    if (!HasFailure()) {
        EXPECT_EQ(ordered(rows), ordered(kExpected));
    }
}

}  // namespace
