#include "res/TrackwrightResources.h"

#include "res/Resource.h"

namespace {

using M = MenuItemDef;

const MenuItemDef s_menu[] = {
    {M::Popup, 0, "ファイル(&F)"},
    {M::Item, ID_FILE_NEW, "新規作成(&N)\tCtrl+N"},
    {M::Item, ID_FILE_OPEN, "開く(&O)...\tCtrl+O"},
    {M::Item, ID_FILE_SAVE, "上書き保存(&S)\tCtrl+S"},
    {M::Item, ID_FILE_SAVE_AS, "名前を付けて保存(&A)..."},
    {M::Item, ID_FILE_EXPORT, "エクスポート(&E)..."},
    {M::Separator, 0, ""},
    {M::Item, ID_FILE_MRU_FILE1, "最新のファイル", true},
    {M::Separator, 0, ""},
    {M::Item, ID_APP_EXIT, "終了(&X)"},
    {M::EndPopup, 0, ""},
    {M::Popup, 0, "編集(&E)"},
    {M::Item, ID_EDIT_UNDO, "元に戻す(&U)\tCtrl+Z"},
    {M::Item, ID_EDIT_REDO, "やり直し(&R)\tCtrl+Y"},
    {M::Separator, 0, ""},
    {M::Item, ID_EDIT_CUT, "切り取り(&T)\tCtrl+X"},
    {M::Item, ID_EDIT_COPY, "コピー(&C)\tCtrl+C"},
    {M::Item, ID_EDIT_PASTE, "貼り付け(&P)\tCtrl+V"},
    {M::Item, ID_EDIT_DELETE, "削除(&D)\tDel"},
    {M::Separator, 0, ""},
    {M::Item, ID_EDIT_SELECT_ALL, "すべて選択(&A)\tCtrl+A"},
    {M::EndPopup, 0, ""},
    {M::Popup, 0, "表示(&V)"},
    {M::Item, ID_VIEW_HEIGHTMAP, "ハイトマップ表示(&H)"},
    {M::Item, ID_VIEW_COLORMAP, "カラーマップ表示(&C)"},
    {M::Item, ID_VIEW_SHOWALL, "全体表示(&A)\tHome"},
    {M::Item, ID_VIEW_CHECK, "コースの検査(&K)\tF7"},
    {M::Item, ID_VIEW_PREVIEW, "3D プレビュー(&3)\tF8"},
    {M::Item, ID_VIEW_TOOLBAR, "ツールバー(&T)"},
    {M::EndPopup, 0, ""},
    {M::Popup, 0, "設定(&O)"},
    {M::Item, ID_SETTINGS, "設定(&O)..."},
    {M::EndPopup, 0, ""},
    {M::Popup, 0, "ヘルプ(&H)"},
    {M::Item, ID_HELP_USAGE, "使い方"},
    {M::Item, ID_HELP_VIEW_PAN, "ビューの移動：\t右ボタンドラッグ or 中ボタンドラッグ"},
    {M::Item, ID_HELP_VIEW_ZOOM, "ビューの拡大縮小：\tShift+右ボタンドラッグ or Shift+中ボタンドラッグ or ホイール"},
    {M::Item, ID_HELP_SHOWALL, "全体表示：\tHome"},
    {M::Item, ID_HELP_CHECK, "コースの検査：\tF7"},
    {M::Item, ID_HELP_PREVIEW, "3D プレビュー：\tF8 (Page Up / Page Down で走行視点)"},
    {M::Item, ID_HELP_POINT_MOVE, "コントロールポイントの移動：\t左ボタンドラッグ"},
    {M::Item, ID_HELP_TANGENT_EDIT, "接線ベクトルの編集：\t左ボタンドラッグ"},
    {M::Item, ID_HELP_WIDTH_EDIT, "コース幅の編集：\t左ボタンドラッグ"},
    {M::Item, ID_HELP_XOBJECT_MOVE, "Xオブジェクトの移動と回転：\t左ボタンドラッグ (矢印の先で回転)"},
    {M::Item, ID_HELP_POINT_ADD, "コントロールポイントの追加：\tコース中心線上でCtrl+左ボタン"},
    {M::Item, ID_HELP_POINT_DELETE, "コントロールポイントの削除：\tマウスでポイントしてDELキー"},
    {M::Item, ID_HELP_XOBJECT_ADD, "Xオブジェクトの追加：\t種類の一覧で選んでCtrl+左ボタン"},
    {M::Item, ID_HELP_XOBJECT_DELETE, "Xオブジェクトの削除：\tマウスでポイントしてDELキー"},
    {M::Item, ID_HELP_SELECT, "選択：\t左クリック、Shift+左クリックで追加と解除"},
    {M::Item, ID_HELP_SELECT_BAND, "範囲選択：\t何もない所から左ボタンドラッグ (Shiftで追加)"},
    {M::Item, ID_HELP_SELECT_ALL, "すべて選択：\tCtrl+A"},
    {M::Item, ID_HELP_CLEAR_SELECTION, "選択の解除：\tEsc or 何もない所で左クリック"},
    {M::Item, ID_HELP_SELECTION_MOVE, "選択範囲の移動：\t選択した部分を左ボタンドラッグ or 矢印キー (Shift+矢印キーで10倍)"},
    {M::Item, ID_HELP_SELECTION_DELETE, "選択範囲の削除：\t選択した部分か何もない所でDELキー"},
    {M::Item, ID_HELP_CLIPBOARD, "切り取り、コピー、貼り付け：\tCtrl+X、Ctrl+C、Ctrl+V (Shift+Delete、Ctrl+Insert、Shift+Insert)"},
    {M::Item, ID_HELP_UNDO, "元に戻す、やり直し：\tCtrl+Z or Alt+Backspace、Ctrl+Y or Ctrl+Shift+Z"},
    {M::Item, ID_HELP_VALUES, "数値の入力：\tダブルクリック"},
    {M::Item, ID_HELP_FILE_KEYS, "新規作成、開く、上書き保存、印刷：\tCtrl+N、Ctrl+O、Ctrl+S、Ctrl+P"},
    {M::Separator, 0, ""},
    {M::Item, ID_APP_ABOUT, "バージョン情報(&A)..."},
    {M::EndPopup, 0, ""},
};

const AccelDef s_accelerators[] = {
    {"N", true, false, false, ID_FILE_NEW},
    {"O", true, false, false, ID_FILE_OPEN},
    {"S", true, false, false, ID_FILE_SAVE},
    {"P", true, false, false, ID_FILE_PRINT},
    {"Z", true, false, false, ID_EDIT_UNDO},
    {"Backspace", false, false, true, ID_EDIT_UNDO},
    {"Y", true, false, false, ID_EDIT_REDO},
    {"Z", true, true, false, ID_EDIT_REDO},
    {"X", true, false, false, ID_EDIT_CUT},
    {"Delete", false, true, false, ID_EDIT_CUT},
    {"C", true, false, false, ID_EDIT_COPY},
    {"Insert", true, false, false, ID_EDIT_COPY},
    {"V", true, false, false, ID_EDIT_PASTE},
    {"A", true, false, false, ID_EDIT_SELECT_ALL},
    {"Insert", false, true, false, ID_EDIT_PASTE},
    {"F8", false, false, false, ID_VIEW_PREVIEW},
    {"F6", false, false, false, ID_NEXT_PANE},
    {"F6", false, true, false, ID_PREV_PANE},
    {"Home", false, false, false, ID_VIEW_SHOWALL},
    {"F7", false, false, false, ID_VIEW_CHECK},
};

const UINT s_toolBar[] = {
    ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_SEPARATOR, ID_EDIT_CUT, ID_EDIT_COPY,
    ID_EDIT_PASTE, ID_SEPARATOR, ID_FILE_PRINT, ID_APP_ABOUT,
};

const StringDef s_strings[] = {
    {IDR_MAINFRAME, "Trackwright\n\nCourse\n\n\nTrackwright.Document\nCourse Document"},
    {AFX_IDS_APP_TITLE, "Trackwright"},
    {IDS_HEIGHTMAP_NOT_READ, "ハイトマップのファイルが読み込めません: "},
    {IDS_COLORMAP_NOT_READ, "カラーマップのファイルが読み込めません: "},
    {AFX_IDS_IDLEMESSAGE, "ﾚﾃﾞｨ"},
    {ID_INDICATOR_EXT, "EXT"},
    {ID_INDICATOR_CAPS, "CAP"},
    {ID_INDICATOR_NUM, "NUM"},
    {ID_INDICATOR_SCRL, "SCRL"},
    {ID_INDICATOR_OVR, "上書"},
    {ID_INDICATOR_REC, "記録"},
    {ID_INDICATOR_KANA, "ｶﾅ"},
    {ID_FILE_NEW, "新規にﾌｧｲﾙを作成\n新規ﾌｧｲﾙ"},
    {ID_FILE_OPEN, "既存のﾌｧｲﾙを開く\n開く"},
    {ID_FILE_CLOSE, "作業中のﾌｧｲﾙを閉じる\n閉じる"},
    {ID_FILE_SAVE, "作業中のﾌｧｲﾙを保存\n保存"},
    {ID_FILE_SAVE_AS, "作業中のﾌｧｲﾙに名前を付けて保存\n名前をつけて保存"},
    {ID_FILE_PAGE_SETUP, "印刷ｵﾌﾟｼｮﾝの変更\nﾍﾟｰｼﾞ ﾚｲｱｳﾄの設定"},
    {ID_FILE_PRINT_SETUP, "ﾌﾟﾘﾝﾀおよびﾌﾟﾘﾝﾀ ｵﾌﾟｼｮﾝの変更\n印刷設定"},
    {ID_FILE_PRINT, "作業中のﾌｧｲﾙを印刷\n印刷"},
    {ID_FILE_PRINT_PREVIEW, "ﾌﾙ ﾍﾟｰｼﾞ表示\n印刷ﾌﾟﾚﾋﾞｭｰ"},
    {ID_FILE_MRU_FILE1, "指定のﾌｧｲﾙを開く"},
    {ID_FILE_MRU_FILE1 + 1, "指定のﾌｧｲﾙを開く"},
    {ID_FILE_MRU_FILE1 + 2, "指定のﾌｧｲﾙを開く"},
    {ID_FILE_MRU_FILE1 + 3, "指定のﾌｧｲﾙを開く"},
    {ID_FILE_MRU_FILE1 + 4, "指定のﾌｧｲﾙを開く"},
    {ID_FILE_MRU_FILE1 + 5, "指定のﾌｧｲﾙを開く"},
    {ID_FILE_MRU_FILE1 + 6, "指定のﾌｧｲﾙを開く"},
    {ID_FILE_MRU_FILE1 + 7, "指定のﾌｧｲﾙを開く"},
    {ID_FILE_MRU_FILE1 + 8, "指定のﾌｧｲﾙを開く"},
    {ID_FILE_MRU_FILE1 + 9, "指定のﾌｧｲﾙを開く"},
    {ID_FILE_MRU_FILE1 + 10, "指定のﾌｧｲﾙを開く"},
    {ID_FILE_MRU_FILE1 + 11, "指定のﾌｧｲﾙを開く"},
    {ID_FILE_MRU_FILE1 + 12, "指定のﾌｧｲﾙを開く"},
    {ID_FILE_MRU_FILE1 + 13, "指定のﾌｧｲﾙを開く"},
    {ID_FILE_MRU_FILE1 + 14, "指定のﾌｧｲﾙを開く"},
    {ID_FILE_MRU_FILE16, "指定のﾌｧｲﾙを開く"},
    {ID_EDIT_COPY, "選択範囲をｺﾋﾟｰしてｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存\nｺﾋﾟｰ"},
    {ID_EDIT_CUT, "選択範囲を切り取ってｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存\n切り取り"},
    {ID_EDIT_PASTE, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容を貼り付け\n貼り付け"},
    {ID_EDIT_UNDO, "直前に行った動作を元に戻す\n元に戻す"},
    {ID_EDIT_REDO, "直前に元に戻した動作をやり直す\nやり直し"},
    {IDS_EDIT_UNDO_ITEM, "元に戻す(&U)%s\tCtrl+Z"},
    {IDS_EDIT_REDO_ITEM, "やり直し(&R)%s\tCtrl+Y"},
    {IDS_STEP_POINT_MOVE, "コントロールポイントの移動"},
    {IDS_STEP_TANGENT_EDIT, "接線ベクトルの編集"},
    {IDS_STEP_WIDTH_EDIT, "コース幅の編集"},
    {IDS_STEP_XOBJECT_MOVE, "Xオブジェクトの移動"},
    {IDS_STEP_XOBJECT_TURN, "Xオブジェクトの向きの変更"},
    {IDS_STEP_POINT_ADD, "コントロールポイントの追加"},
    {IDS_STEP_XOBJECT_ADD, "Xオブジェクトの追加"},
    {IDS_STEP_POINT_DELETE, "コントロールポイントの削除"},
    {IDS_STEP_XOBJECT_DELETE, "Xオブジェクトの削除"},
    {IDS_STEP_DELETE, "削除"},
    {IDS_STEP_SETTINGS, "設定の変更"},
    {IDS_STEP_MAP_SWITCH, "表示マップの切り替え"},
    {IDS_STEP_SELECTION_MOVE, "選択範囲の移動"},
    {IDS_STEP_SELECTION_DELETE, "選択範囲の削除"},
    {IDS_STEP_CUT, "切り取り"},
    {IDS_STEP_PASTE, "貼り付け"},
    {IDS_STEP_VALUES, "数値の入力"},
    {IDS_STATUS_POSITION, "X %s  Y %s"},
    {IDS_STATUS_POINT, "コントロールポイント %d: 位置 (%s, %s)  幅 右 %s 左 %s"},
    {IDS_STATUS_XOBJECT, "Xオブジェクト %s: 位置 (%s, %s)  向き %s°"},
    {IDS_STATUS_SELECTION, "%d 個選択"},
    {IDS_STATUS_KEEP_THREE_POINTS, "コントロールポイントは3つ以上必要なため、削除できません。"},
    {IDS_STATUS_PASTE_MALFORMED, "クリップボードの内容はXオブジェクトの行ではないため、貼り付けできません。"},
    {IDS_NAME_HAS_QUOTE, "名前に \" は使えません。"},
    {IDS_STATUS_PASTE_NO_OBJECTS, "クリップボードにXオブジェクトの行がないため、貼り付けできません。"},
    {ID_EDIT_DELETE, "選択範囲を削除\n削除"},
    {ID_EDIT_SELECT_ALL, "ｺｰｽとXｵﾌﾞｼﾞｪｸﾄをすべて選択\nすべて選択"},
    {IDS_RECOVERY_QUESTION, "%s に保存されていない変更が残っています。復元しますか?\n"
                            "(「いいえ」を選ぶと、この変更は破棄されます)"},
    {IDS_RECOVERY_WRITE_FAILED, "回復用ファイルを書き込めませんでした: %s"},
    {IDS_SAVED_IN_PLACE, "フォルダに一時ファイルを作れないため、ファイルに直接書き込んで保存しました: "},
    {IDS_SAVE_OLD_CONTENTS_KEPT, "\n元の内容はここに残してあります: "},
    {ID_APP_ABOUT, "ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝそして著作権を表示\nﾊﾞｰｼﾞｮﾝ情報"},
    {ID_APP_EXIT, "ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示\n終了"},
    {ID_NEXT_PANE, "次のｳｨﾝﾄﾞｳ ｳｨﾝﾄﾞｳに切り替え\n次のﾍﾟｲﾝ"},
    {ID_PREV_PANE, "前のｳｨﾝﾄﾞｳ ｳｨﾝﾄﾞｳに切り替え\n前のﾍﾟｲﾝ"},
    {ID_VIEW_TOOLBAR, "ﾂｰﾙ ﾊﾞｰの表示/非表示\nﾂｰﾙ ﾊﾞｰの表示/非表示"},
    {ID_VIEW_SHOWALL, "ｺｰｽとXｵﾌﾞｼﾞｪｸﾄ全体が見えるように表示\n全体表示"},
    {IDS_EXPORT_BAD_POINT, "値が数でないか範囲外のためエクスポートできません。コントロールポイント: "},
    {IDS_EXPORT_BAD_XOBJECT, "値が数でないか範囲外のためエクスポートできません。Xオブジェクト: "},
    {IDS_EXPORT_BAD_SCALE, "高さの倍率は 0 から 1000 までの数で入力してください。"},
    {IDS_EXPORT_WRITE_FAILED, "エクスポートのファイルに書き込めません: "},
    {IDS_EXPORT_DONE, "エクスポートしました: "},
    {IDS_EXPORT_TITLE, "エクスポート"},
    {IDS_EXPORT_FILTER, "glTF バイナリ (*.glb)"},
    {IDS_PREVIEW_BAD_VALUES, "値が数でないか範囲外のコントロールポイントまたはXオブジェクトを除いて表示しています。"},
    {IDS_PREVIEW_TEXTURE_FAILED, "地形のテクスチャを作れないため、地形を灰色で表示しています。"},
    {IDS_PREVIEW_TITLE, "3D プレビュー"},
    {IDS_PREVIEW_DRIVE, "走行視点: コントロールポイント "},
    {IDS_PREVIEW_CONTEXT_LOST, "描画のコンテキストが失われたため、地形を灰色で表示しています。"},
    {ID_FILE_EXPORT, "ｺｰｽと地形を glTF ﾌｧｲﾙ (.glb) に書き出す\nエクスポート"},
    {ID_VIEW_CHECK, "ｺｰｽの折り返し、交差、路面上のXｵﾌﾞｼﾞｪｸﾄ、使えない値を検査\nｺｰｽの検査"},
    {IDS_CHECK_KINDS, "値\n折り返し\n交差\n重なり"},
    {IDS_CHECK_PARTS, "コントロールポイント %d\nXオブジェクト %d"},
    {IDS_CHECK_FIELDS, "位置\n前方の接線\n後方の接線\n幅 右\n幅 左\n向き\n幅\n高さ\n区間"},
    {IDS_CHECK_VALUE, "%sが有限の数ではありません\n%sの大きさが 1,000,000 を超えています\n%sが負の値です\n"
                      "次のコントロールポイントと同じ位置にあり、区間の長さが 0 です"},
    {IDS_CHECK_FOLD, "左の境界線が折り返し、路面が裏返っています\n右の境界線が折り返し、路面が裏返っています\n"
                     "両側の境界線が折り返し、路面が裏返っています"},
    {IDS_CHECK_CROSSING, "コントロールポイント %d からの区間と交差しています"},
    {IDS_CHECK_OVERLAP, "Xオブジェクト (%s) の敷地がコースの路面に重なっています"},
    {IDS_CHECK_SUMMARY, "指摘 %d 件、中心線の長さ %s"},
    {IDS_CHECK_FIGURES, "中心線 %s  境界線 左 %s 右 %s\n最小半径 %s (コントロールポイント %d の区間)\n"
                        "コントロールポイント %d 個  Xオブジェクト %d 個"},
    {IDS_CHECK_OPEN_VALUES, "このコースには使えない値が %d 件あります。最初は%s: %s\n"
                            "コースは読み込んだとおりに開いています。表示 → コースの検査 (F7) で確かめてください。"},
    {IDS_CHECK_TITLE, "コースの検査"},
    {IDS_CHECK_COLUMNS, "種類\n場所\n内容"},
    {IDS_CHECK_NO_FINDINGS, "指摘はありません"},
    {IDS_CHECK_TOO_LARGE, "コースが大きすぎるため、値のほかは検査していません"},
    {IDS_COURSE_READ_FAILED, "%sファイルの読み込みに失敗しました"},
    {IDS_COURSE_WRITE_FAILED, "%sファイルの書き込みに失敗しました"},
    {IDS_SAVE_QUOTE_REFUSED, "パスや名前に二重引用符 (\") が含まれているため保存できません: "},
    {IDS_HEIGHTMAP_NOT_OPENED, "ハイトマップのファイルがオープンできません。"},
    {IDS_COLORMAP_NOT_OPENED, "カラーマップのファイルがオープンできません。"},
    {IDS_CHOOSE_PIXEL_FORMAT_FAILED, "ChoosePixelFormat failed"},
    {IDS_SET_PIXEL_FORMAT_FAILED, "SetPixelFormat failed"},
    {IDS_CMD_USAGE,
     "usage: trackwright [--] [COURSE]\n"
     "       trackwright --render COURSE --out FILE.png [--preview [--drive N]] [--size WxH | --thumbnail SIZE]\n"
     "       trackwright --export COURSE --out FILE.glb [--height-scale S]\n"
     "       trackwright --check COURSE\n"
     "       trackwright --help | --version\n"
     "\n"
     "Opens the course file COURSE, or the default course, in the editor.\n"
     "\n"
     "  --render COURSE   draw the picture the editor shows for COURSE into a PNG, with no display\n"
     "  --out FILE.png    the PNG to write; it is replaced whole or left as it was\n"
     "  --preview         draw the 3-D preview's Home view of COURSE instead\n"
     "  --drive N         draw the 3-D preview's drive view at control point N (1 is the first) instead\n"
     "  --size WxH        the picture's width and height in pixels, 1 to 16384 each (default 1280x800)\n"
     "  --thumbnail SIZE  draw only the course and its objects, framed tight in their aspect, the longer side SIZE\n"
     "                    pixels (1 to 2048), reading nothing but COURSE (at most 16 MiB), within 1 GiB of memory\n"
     "                    and 10 seconds\n"
     "  --export COURSE   write COURSE as a binary glTF file (road, borders, terrain and objects), with no display\n"
     "  --out FILE.glb    the glTF file to write; it is replaced whole or left as it was\n"
     "  --height-scale S  course units per grey level of the height map, 0 to 1000 (default 0.1)\n"
     "  --check COURSE    print what would break when COURSE is driven (folds, crossings, objects on the road,\n"
     "                    unusable values), one line per finding as COURSE:handle N: KIND: text, then a summary\n"
     "  -h, --help        print this text and exit\n"
     "  --version         print the version and exit\n"
     "\n"
     "Exit status: 0 done; 1 COURSE could not be read or drawn, or FILE.png not written; 2 a bad command\n"
     "line; 3 no OpenGL for --render. --export: 0 written; 1 anything else, with the reason.\n"
     "--check: 0 no finding; 1 findings; 2 COURSE cannot be read.\n"},
    {IDS_CMD_RENDER_USAGE,
     "usage: trackwright --render COURSE --out FILE.png [--preview [--drive N]] [--size WxH | --thumbnail SIZE]\n"},
    {IDS_CMD_EXPORT_USAGE, "usage: trackwright --export COURSE --out FILE.glb [--height-scale S]\n"},
    {IDS_CMD_CHECK_USAGE, "usage: trackwright --check COURSE\n"},
    {IDS_CMD_VERSION, "Trackwright 1.0.0.1\n"},
    {IDS_CMD_MESSAGE, "trackwright: %s\n"},
    {IDS_CMD_UNKNOWN_OPTION, "trackwright: unknown option \"%s\"\n"},
    {IDS_CMD_UNEXPECTED_ARGUMENT, "trackwright: unexpected argument \"%s\"\n"},
    {IDS_CMD_BAD_SIZE, "trackwright: bad size \"%s\" (expected WxH, 1 to 16384 each)\n"},
    {IDS_CMD_BAD_DRIVE, "trackwright: bad control point \"%s\" (expected 1 to 16384)\n"},
    {IDS_CMD_BAD_THUMBNAIL, "trackwright: bad thumbnail size \"%s\" (expected 1 to %d)\n"},
    {IDS_CMD_BAD_HEIGHT_SCALE, "trackwright: bad height scale \"%s\" (0 to %g)\n"},
    {IDS_CMD_THUMBNAIL_UNREADABLE, "trackwright: \"%s\" is no readable course file of at most %d MiB\n"},
    {IDS_CMD_THUMBNAIL_TOO_LARGE, "trackwright: \"%s\" has more than %d control points or objects for a thumbnail\n"},
    {IDS_CMD_NOTHING_TO_DRAW, "trackwright: \"%s\" has nothing to draw\n"},
    {IDS_CMD_NO_GL, "trackwright: no OpenGL context could be created for rendering\n"},
    {IDS_CMD_CANNOT_WRITE, "trackwright: cannot write \"%s\"\n"},
    {IDS_CMD_LIMITS_NOT_SET, "trackwright: the thumbnail's limits could not be set\n"},
};

using C = DialogControlDef;

const DialogControlDef s_aboutControls[] = {
    {C::Icon, IDR_MAINFRAME, "", 11, 17, 20, 20},
    {C::Static, 0, "Trackwright Version 1.00", 40, 10, 119, 8},
    {C::Static, 0, "上から見たレースコースのレイアウトエディタ", 40, 25, 119, 8},
    {C::DefPushButton, IDOK, "OK", 178, 7, 32, 14},
};

const DialogControlDef s_settingsControls[] = {
    {C::Static, 0, "ハイトマップ(&H):", 5, 5, 46, 8},
    {C::Edit, IDC_HEIGHTMAP, "", 10, 15, 275, 14},
    {C::Static, 0, "カラーマップ(&C):", 5, 40, 47, 8},
    {C::Edit, IDC_COLORMAP, "", 10, 50, 275, 14},
    {C::Static, 0, "明るさ(&L):", 5, 70, 28, 8},
    {C::Edit, IDC_LUMINANCE, "", 10, 80, 40, 14},
    {C::Static, 0, "Xオブジェクトのスケール(&S):", 65, 70, 82, 8},
    {C::Edit, IDC_XOBJECT_SCALE, "", 70, 80, 40, 14},
    {C::DefPushButton, IDOK, "OK", 180, 80, 50, 14},
    {C::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 235, 80, 50, 14},
};

const DialogControlDef s_exportControls[] = {
    {C::Static, 0, "高さの倍率 (1 階調あたり)(&H):", 5, 8, 90, 8},
    {C::Edit, IDC_HEIGHT_SCALE, "", 100, 5, 50, 14},
    {C::DefPushButton, IDOK, "OK", 45, 28, 50, 14},
    {C::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 100, 28, 50, 14},
};

const DialogControlDef s_pointValuesControls[] = {
    {C::Static, 0, "位置(&P):", 5, 8, 50, 8},
    {C::Edit, IDC_POS_X, "", 60, 5, 50, 14},
    {C::Edit, IDC_POS_Y, "", 115, 5, 50, 14},
    {C::Static, 0, "前方の接線(&N):", 5, 26, 50, 8},
    {C::Edit, IDC_TAN_NEXT_X, "", 60, 23, 50, 14},
    {C::Edit, IDC_TAN_NEXT_Y, "", 115, 23, 50, 14},
    {C::Static, 0, "後方の接線(&B):", 5, 44, 50, 8},
    {C::Edit, IDC_TAN_PREV_X, "", 60, 41, 50, 14},
    {C::Edit, IDC_TAN_PREV_Y, "", 115, 41, 50, 14},
    {C::Static, 0, "幅 右(&R):", 5, 62, 50, 8},
    {C::Edit, IDC_WIDTH_RIGHT, "", 60, 59, 50, 14},
    {C::Static, 0, "幅 左(&L):", 5, 80, 50, 8},
    {C::Edit, IDC_WIDTH_LEFT, "", 60, 77, 50, 14},
    {C::DefPushButton, IDOK, "OK", 60, 100, 50, 14},
    {C::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 115, 100, 50, 14},
};

const DialogControlDef s_xobjectValuesControls[] = {
    {C::Static, 0, "名前(&N):", 5, 8, 50, 8},
    {C::ComboBox, IDC_XOBJECT_NAME, "", 60, 5, 105, 14},
    {C::Static, 0, "位置(&P):", 5, 26, 50, 8},
    {C::Edit, IDC_POS_X, "", 60, 23, 50, 14},
    {C::Edit, IDC_POS_Y, "", 115, 23, 50, 14},
    {C::Static, 0, "向き(度)(&D):", 5, 44, 50, 8},
    {C::Edit, IDC_DIRECTION, "", 60, 41, 50, 14},
    {C::Static, 0, "幅(&W):", 5, 62, 50, 8},
    {C::Edit, IDC_XOBJECT_WIDTH, "", 60, 59, 50, 14},
    {C::Static, 0, "高さ(&H):", 5, 80, 50, 8},
    {C::Edit, IDC_XOBJECT_HEIGHT, "", 60, 77, 50, 14},
    {C::DefPushButton, IDOK, "OK", 60, 100, 50, 14},
    {C::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 115, 100, 50, 14},
};

const DialogDef s_dialogs[] = {
    {IDD_ABOUTBOX, "ﾊﾞｰｼﾞｮﾝ情報(Trackwright)", 217, 55, "ＭＳ Ｐゴシック", 9, s_aboutControls},
    {IDD_SETTINGS, "設定ダイアログ", 295, 105, "ＭＳ Ｐゴシック", 9, s_settingsControls},
    {IDD_POINT_VALUES, "コントロールポイントの数値", 172, 120, "ＭＳ Ｐゴシック", 9, s_pointValuesControls},
    {IDD_XOBJECT_VALUES, "Xオブジェクトの数値", 172, 120, "ＭＳ Ｐゴシック", 9, s_xobjectValuesControls},
    {IDD_EXPORT, "エクスポート", 157, 48, "ＭＳ Ｐゴシック", 9, s_exportControls},
};

const ResourceSet s_resources = {s_menu, s_accelerators, s_toolBar, s_strings, s_dialogs};

}  // namespace

const ResourceSet& TrackwrightResources()
{
    return s_resources;
}
