// Every text the menus, accelerators, string table and dialogs show, against one table written
// out by hand (ids as numbers), so a changed character, a lost item or a wrong id fails.
#include "res/TrackwrightResources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace {

// One line per resource entry, in resource order (the order menus and dialog controls show in).
std::vector<std::string> Rows(const ResourceSet& res)
{
    std::vector<std::string> rows;
    auto num = [](auto n) { return std::to_string(n); };
    for (const MenuItemDef& m : res.menu)
        rows.push_back(m.kind == MenuItemDef::Popup       ? "menu " + std::string(m.text)
                       : m.kind == MenuItemDef::EndPopup  ? "end"
                       : m.kind == MenuItemDef::Separator ? "separator"
                       : "item " + num(m.nID) + " " + m.text + (m.grayed ? " (grayed)" : ""));
    for (const AccelDef& a : res.accelerators)
        rows.push_back("accel " + std::string(a.ctrl ? "Ctrl+" : "") + (a.shift ? "Shift+" : "") +
                       (a.alt ? "Alt+" : "") + a.key + " " + num(a.nID));
    for (const StringDef& s : res.strings)
        rows.push_back("string " + num(s.nID) + " " + s.text);
    static const char* const kKinds[] = {"static", "edit", "default button", "button", "icon", "combo box"};
    for (const DialogDef& d : res.dialogs) {
        rows.push_back("dialog " + num(d.nID) + " " + d.caption + " " + num(d.cx) + "x" + num(d.cy) + " " +
                       d.fontName + " " + num(d.fontPoints));
        for (const DialogControlDef& c : d.controls)
            rows.push_back("  " + std::string(kKinds[c.kind]) + " " + num(c.nID) + " \"" + c.text + "\" " +
                           num(c.x) + "," + num(c.y) + "," + num(c.cx) + "," + num(c.cy));
    }
    return rows;
}

const std::vector<std::string> kExpected = [] {
    std::vector<std::string> v = {
        "menu ファイル(&F)", "item 57600 新規作成(&N)\tCtrl+N", "item 57601 開く(&O)...\tCtrl+O",
        "item 57603 上書き保存(&S)\tCtrl+S", "item 57604 名前を付けて保存(&A)...",
        "item 32810 エクスポート(&E)...", "separator",
        "item 57616 最新のファイル (grayed)", "separator", "item 57665 終了(&X)", "end", "menu 編集(&E)",
        "item 57643 元に戻す(&U)\tCtrl+Z", "item 57644 やり直し(&R)\tCtrl+Y", "separator",
        "item 57635 切り取り(&T)\tCtrl+X", "item 57634 コピー(&C)\tCtrl+C", "item 57637 貼り付け(&P)\tCtrl+V",
        "item 32820 削除(&D)\tDel", "separator", "item 32821 すべて選択(&A)\tCtrl+A", "end",
        "menu 表示(&V)", "item 32780 ハイトマップ表示(&H)", "item 32781 カラーマップ表示(&C)",
        "item 32784 全体表示(&A)\tHome",
        "item 32800 コースの検査(&K)\tF7", "item 32850 3D プレビュー(&3)\tF8",
        "item 59392 ツールバー(&T)", "end", "menu 設定(&O)", "item 32779 設定(&O)...",
        "end", "menu ヘルプ(&H)", "item 32771 使い方", "item 32772 ビューの移動：\t右ボタンドラッグ or 中ボタンドラッグ",
        "item 32773 ビューの拡大縮小：\tShift+右ボタンドラッグ or Shift+中ボタンドラッグ or ホイール",
        "item 32828 全体表示：\tHome", "item 32801 コースの検査：\tF7",
        "item 32851 3D プレビュー：\tF8 (Page Up / Page Down で走行視点)",
        "item 32774 コントロールポイントの移動：\t左ボタンドラッグ",
        "item 32775 接線ベクトルの編集：\t左ボタンドラッグ", "item 32776 コース幅の編集：\t左ボタンドラッグ",
        "item 32822 Xオブジェクトの移動と回転：\t左ボタンドラッグ (矢印の先で回転)",
        "item 32777 コントロールポイントの追加：\tコース中心線上でCtrl+左ボタン",
        "item 32778 コントロールポイントの削除：\tマウスでポイントしてDELキー",
        "item 32782 Xオブジェクトの追加：\t種類の一覧で選んでCtrl+左ボタン",
        "item 32783 Xオブジェクトの削除：\tマウスでポイントしてDELキー",
        "item 32785 選択：\t左クリック、Shift+左クリックで追加と解除",
        "item 32786 範囲選択：\t何もない所から左ボタンドラッグ (Shiftで追加)", "item 32825 すべて選択：\tCtrl+A",
        "item 32824 選択の解除：\tEsc or 何もない所で左クリック",
        "item 32787 選択範囲の移動：\t選択した部分を左ボタンドラッグ or 矢印キー (Shift+矢印キーで10倍)",
        "item 32823 選択範囲の削除：\t選択した部分か何もない所でDELキー",
        "item 32826 切り取り、コピー、貼り付け：\tCtrl+X、Ctrl+C、Ctrl+V (Shift+Delete、Ctrl+Insert、Shift+Insert)",
        "item 32827 元に戻す、やり直し：\tCtrl+Z or Alt+Backspace、Ctrl+Y or Ctrl+Shift+Z",
        "item 32788 数値の入力：\tダブルクリック",
        "item 32829 新規作成、開く、上書き保存、印刷：\tCtrl+N、Ctrl+O、Ctrl+S、Ctrl+P", "separator", "item 57664 バージョン情報(&A)...", "end",
        "accel Ctrl+N 57600", "accel Ctrl+O 57601", "accel Ctrl+S 57603", "accel Ctrl+P 57607", "accel Ctrl+Z 57643",
        "accel Alt+Backspace 57643", "accel Ctrl+Y 57644", "accel Ctrl+Shift+Z 57644", "accel Ctrl+X 57635",
        "accel Shift+Delete 57635", "accel Ctrl+C 57634", "accel Ctrl+Insert 57634", "accel Ctrl+V 57637", "accel Ctrl+A 32821",
        "accel Shift+Insert 57637", "accel F8 32850", "accel F6 57680", "accel Shift+F6 57681", "accel Home 32784", "accel F7 32800",
        "string 128 Trackwright\n\nCourse\n\n\nTrackwright.Document\nCourse Document", "string 57344 Trackwright",
        "string 140 ハイトマップのファイルが読み込めません: ", "string 141 カラーマップのファイルが読み込めません: ",
        "string 57345 ﾚﾃﾞｨ", "string 59136 EXT", "string 59137 CAP", "string 59138 NUM", "string 59139 SCRL",
        "string 59140 上書", "string 59141 記録", "string 59142 ｶﾅ", "string 57600 新規にﾌｧｲﾙを作成\n新規ﾌｧｲﾙ",
        "string 57601 既存のﾌｧｲﾙを開く\n開く",
        // The framework's standard prompts, also for commands the program has no handler for.
        "string 57602 作業中のﾌｧｲﾙを閉じる\n閉じる", "string 57603 作業中のﾌｧｲﾙを保存\n保存",
        "string 57604 作業中のﾌｧｲﾙに名前を付けて保存\n名前をつけて保存",
        "string 57605 印刷ｵﾌﾟｼｮﾝの変更\nﾍﾟｰｼﾞ ﾚｲｱｳﾄの設定", "string 57606 ﾌﾟﾘﾝﾀおよびﾌﾟﾘﾝﾀ ｵﾌﾟｼｮﾝの変更\n印刷設定",
        "string 57607 作業中のﾌｧｲﾙを印刷\n印刷", "string 57609 ﾌﾙ ﾍﾟｰｼﾞ表示\n印刷ﾌﾟﾚﾋﾞｭｰ"};
    // The recent-file slots share one prompt.
    for (int id = 57616; id <= 57631; ++id)
        v.push_back("string " + std::to_string(id) + " 指定のﾌｧｲﾙを開く");
    v.insert(v.end(), {
        "string 57634 選択範囲をｺﾋﾟｰしてｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存\nｺﾋﾟｰ",
        "string 57635 選択範囲を切り取ってｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存\n切り取り",
        "string 57637 ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容を貼り付け\n貼り付け", "string 57643 直前に行った動作を元に戻す\n元に戻す",
        "string 57644 直前に元に戻した動作をやり直す\nやり直し", "string 300 元に戻す(&U)%s\tCtrl+Z",
        "string 301 やり直し(&R)%s\tCtrl+Y", "string 310 コントロールポイントの移動", "string 311 接線ベクトルの編集",
        "string 312 コース幅の編集", "string 313 Xオブジェクトの移動", "string 314 Xオブジェクトの向きの変更",
        "string 315 コントロールポイントの追加", "string 316 Xオブジェクトの追加",
        "string 317 コントロールポイントの削除", "string 318 Xオブジェクトの削除", "string 319 削除",
        "string 320 設定の変更", "string 321 表示マップの切り替え", "string 322 選択範囲の移動",
        "string 323 選択範囲の削除", "string 324 切り取り", "string 325 貼り付け", "string 326 数値の入力",
        "string 340 X %s  Y %s", "string 341 コントロールポイント %d: 位置 (%s, %s)  幅 右 %s 左 %s",
        "string 342 Xオブジェクト %s: 位置 (%s, %s)  向き %s°", "string 343 %d 個選択",
        "string 344 コントロールポイントは3つ以上必要なため、削除できません。",
        "string 345 クリップボードの内容はXオブジェクトの行ではないため、貼り付けできません。",
        "string 346 名前に \" は使えません。",
        "string 440 クリップボードにXオブジェクトの行がないため、貼り付けできません。",
        "string 441 %s から %s までの数値を入力してください。", "string 32820 選択範囲を削除\n削除",
        "string 32821 ｺｰｽとXｵﾌﾞｼﾞｪｸﾄをすべて選択\nすべて選択",
        "string 330 %s に保存されていない変更が残っています。復元しますか?\n(「いいえ」を選ぶと、この変更は破棄されます)",
        "string 331 回復用ファイルを書き込めませんでした: %s",
        "string 460 フォルダに一時ファイルを作れないため、ファイルに直接書き込んで保存しました: ",
        "string 461 \n元の内容はここに残してあります: ",
        "string 57664 ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝそして著作権を表示\nﾊﾞｰｼﾞｮﾝ情報",
        "string 57665 ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示\n終了", "string 57680 次のｳｨﾝﾄﾞｳ ｳｨﾝﾄﾞｳに切り替え\n次のﾍﾟｲﾝ",
        "string 57681 前のｳｨﾝﾄﾞｳ ｳｨﾝﾄﾞｳに切り替え\n前のﾍﾟｲﾝ", "string 59392 ﾂｰﾙ ﾊﾞｰの表示/非表示\nﾂｰﾙ ﾊﾞｰの表示/非表示",
        "string 32784 ｺｰｽとXｵﾌﾞｼﾞｪｸﾄ全体が見えるように表示\n全体表示",
        "string 420 値が数でないか範囲外のためエクスポートできません。コントロールポイント: ",
        "string 421 値が数でないか範囲外のためエクスポートできません。Xオブジェクト: ",
        "string 422 高さの倍率は 0 から 1000 までの数で入力してください。",
        "string 423 エクスポートのファイルに書き込めません: ", "string 424 エクスポートしました: ",
        "string 425 エクスポート", "string 426 glTF バイナリ (*.glb)",
        "string 500 値が数でないか範囲外のコントロールポイントまたはXオブジェクトを除いて表示しています。",
        "string 501 地形のテクスチャを作れないため、地形を灰色で表示しています。", "string 502 3D プレビュー",
        "string 503 走行視点: コントロールポイント ", "string 504 描画のコンテキストが失われたため、地形を灰色で表示しています。",
        "string 32810 ｺｰｽと地形を glTF ﾌｧｲﾙ (.glb) に書き出す\nエクスポート",
        "string 32800 ｺｰｽの折り返し、交差、路面上のXｵﾌﾞｼﾞｪｸﾄ、使えない値を検査\nｺｰｽの検査",
        "string 401 値\n折り返し\n交差\n重なり",
        "string 402 コントロールポイント %d\nXオブジェクト %d",
        "string 403 位置\n前方の接線\n後方の接線\n幅 右\n幅 左\n向き\n幅\n高さ\n区間",
        "string 404 %sが有限の数ではありません\n%sの大きさが 1,000,000 を超えています\n%sが負の値です\n"
        "次のコントロールポイントと同じ位置にあり、区間の長さが 0 です",
        "string 405 左の境界線が折り返し、路面が裏返っています\n右の境界線が折り返し、路面が裏返っています\n"
        "両側の境界線が折り返し、路面が裏返っています",
        "string 406 コントロールポイント %d からの区間と交差しています",
        "string 407 Xオブジェクト (%s) の敷地がコースの路面に重なっています", "string 408 指摘 %d 件、中心線の長さ %s",
        "string 409 中心線 %s  境界線 左 %s 右 %s\n最小半径 %s (コントロールポイント %d の区間)\n"
        "コントロールポイント %d 個  Xオブジェクト %d 個",
        "string 410 このコースには使えない値が %d 件あります。最初は%s: %s\n"
        "コースは読み込んだとおりに開いています。表示 → コースの検査 (F7) で確かめてください。",
        "string 411 コースの検査", "string 414 種類\n場所\n内容", "string 412 指摘はありません",
        "string 413 コースが大きすぎるため、値のほかは検査していません",
        "dialog 100 ﾊﾞｰｼﾞｮﾝ情報(Trackwright) 217x55 ＭＳ Ｐゴシック 9", "  icon 128 \"\" 11,17,20,20",
        "  static 0 \"Trackwright Version 1.00\" 40,10,119,8",
        "  static 0 \"上から見たレースコースのレイアウトエディタ\" 40,25,119,8", "  default button 1 \"OK\" 178,7,32,14",
        "dialog 130 設定ダイアログ 295x105 ＭＳ Ｐゴシック 9", "  static 0 \"ハイトマップ(&H):\" 5,5,46,8",
        "  edit 1000 \"\" 10,15,275,14", "  static 0 \"カラーマップ(&C):\" 5,40,47,8", "  edit 1001 \"\" 10,50,275,14",
        "  static 0 \"明るさ(&L):\" 5,70,28,8", "  edit 1002 \"\" 10,80,40,14",
        "  static 0 \"Xオブジェクトのスケール(&S):\" 65,70,82,8", "  edit 1003 \"\" 70,80,40,14",
        "  default button 1 \"OK\" 180,80,50,14", "  button 2 \"ｷｬﾝｾﾙ\" 235,80,50,14",
        "dialog 131 コントロールポイントの数値 172x120 ＭＳ Ｐゴシック 9", "  static 0 \"位置(&P):\" 5,8,50,8",
        "  edit 1010 \"\" 60,5,50,14", "  edit 1011 \"\" 115,5,50,14", "  static 0 \"前方の接線(&N):\" 5,26,50,8",
        "  edit 1012 \"\" 60,23,50,14", "  edit 1013 \"\" 115,23,50,14", "  static 0 \"後方の接線(&B):\" 5,44,50,8",
        "  edit 1014 \"\" 60,41,50,14", "  edit 1015 \"\" 115,41,50,14", "  static 0 \"幅 右(&R):\" 5,62,50,8",
        "  edit 1016 \"\" 60,59,50,14", "  static 0 \"幅 左(&L):\" 5,80,50,8", "  edit 1017 \"\" 60,77,50,14",
        "  default button 1 \"OK\" 60,100,50,14", "  button 2 \"ｷｬﾝｾﾙ\" 115,100,50,14",
        "dialog 132 Xオブジェクトの数値 172x120 ＭＳ Ｐゴシック 9", "  static 0 \"名前(&N):\" 5,8,50,8",
        "  combo box 1018 \"\" 60,5,105,14", "  static 0 \"位置(&P):\" 5,26,50,8", "  edit 1010 \"\" 60,23,50,14",
        "  edit 1011 \"\" 115,23,50,14", "  static 0 \"向き(度)(&D):\" 5,44,50,8", "  edit 1019 \"\" 60,41,50,14",
        "  static 0 \"幅(&W):\" 5,62,50,8", "  edit 1020 \"\" 60,59,50,14", "  static 0 \"高さ(&H):\" 5,80,50,8",
        "  edit 1021 \"\" 60,77,50,14", "  default button 1 \"OK\" 60,100,50,14", "  button 2 \"ｷｬﾝｾﾙ\" 115,100,50,14",
        "dialog 160 エクスポート 157x48 ＭＳ Ｐゴシック 9", "  static 0 \"高さの倍率 (1 階調あたり)(&H):\" 5,8,90,8",
        "  edit 1120 \"\" 100,5,50,14", "  default button 1 \"OK\" 45,28,50,14", "  button 2 \"ｷｬﾝｾﾙ\" 100,28,50,14",
    });
    return v;
}();

TEST(ResourceTexts, EveryMenuAcceleratorStringAndDialogTextIsExactlyAsWritten)
{
    const std::vector<std::string> rows = Rows(TrackwrightResources());
    // Row by row, so that each difference is named.
    for (std::size_t i = 0; i < std::max(rows.size(), kExpected.size()); ++i)
        EXPECT_EQ(i < rows.size() ? rows[i] : "(none)", i < kExpected.size() ? kExpected[i] : "(none)") << "row " << i;
}

// The help menu doubles as the README's card: every key the card names, and every gesture in the
// help's own words, is on one of its lines.
TEST(ResourceTexts, TheHelpMenuListsEveryGestureAndKeyOfTheReadmeCard)
{
    std::string help;
    bool inHelp = false;
    for (const MenuItemDef& m : TrackwrightResources().menu) {
        if (m.kind == MenuItemDef::Popup)
            inHelp = std::string(m.text) == "ヘルプ(&H)";
        else if (inHelp && m.kind == MenuItemDef::Item)
            help += std::string(m.text) + "\n";
    }
    const std::pair<const char*, const char*> gestures[] = {{"Left drag", "左ボタンドラッグ"},
        {"Ctrl + left click", "Ctrl+左ボタン"}, {"Shift + click", "Shift+左クリック"}, {"Left click", "左クリック"},
        {"arrow tip", "矢印の先"}, {"arrow keys", "矢印キー"}, {"×10", "10倍"}, {"Double click", "ダブルクリック"},
        {"Right or middle drag", "右ボタンドラッグ or 中ボタンドラッグ"}, {"Shift + right or middle drag",
        "Shift+右ボタンドラッグ or Shift+中ボタンドラッグ"}, {"the wheel", "ホイール"}, {"empty ground", "何もない所"},
        {"type list", "種類の一覧"}};
    const std::regex key(R"((?:(?:Ctrl|Shift|Alt)\+)+[A-Za-z]+|\b(?:DEL|Esc|Home|F[0-9]+)\b)");

    std::ifstream readme(TW_SOURCE_DIR "/README.md");
    std::string line;
    bool inCard = false;
    int rows = 0;
    while (std::getline(readme, line)) {
        if (line.rfind("| Gesture |", 0) == 0) {
            inCard = true;
            continue;
        }
        if (!inCard || line.rfind("|---", 0) == 0)
            continue;
        if (line.rfind("| ", 0) != 0)
            break;
        const std::string said = line.substr(2, line.find(" |", 2) - 2);
        ++rows;
        int known = 0;
        for (std::sregex_iterator k(said.begin(), said.end(), key), end; k != end; ++k, ++known)
            EXPECT_NE(help.find(k->str()), std::string::npos) << k->str() << " (" << said << ")";
        for (const auto& [english, japanese] : gestures) {
            if (said.find(english) == std::string::npos)
                continue;
            ++known;
            EXPECT_NE(help.find(japanese), std::string::npos) << english << " (" << said << ")";
        }
        EXPECT_GT(known, 0) << "a row this test cannot read: " << said;
    }
    EXPECT_GE(rows, 16);
}

}  // namespace
