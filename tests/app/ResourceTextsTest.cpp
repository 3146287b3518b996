// The resource tables hold together: every menu line has a text and an id of its own, no two
// mnemonics of one menu or dialog and no two accelerators clash, the keys a menu line shows are the
// accelerators of its command, and the help menu says what the README's card says.
#include "res/TrackwrightResources.h"

#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

// The letter after '&' (upper case), or 0 when the text has none.
char Mnemonic(const std::string& text)
{
    const std::size_t amp = text.find('&');
    return amp != std::string::npos && amp + 1 < text.size() ? static_cast<char>(std::toupper(static_cast<unsigned char>(text[amp + 1]))) : 0;
}

std::string KeyName(const AccelDef& a)
{
    return std::string(a.ctrl ? "Ctrl+" : "") + (a.shift ? "Shift+" : "") + (a.alt ? "Alt+" : "") + a.key;
}

// The keys a card row names: modifiers joined to a key ("Ctrl+Shift+Z"), or a key alone (DEL, Esc,
// Home, F8). (Not std::regex: gcc 12 warns inside its own regex headers under the sanitizers.)
std::vector<std::string> KeyNames(const std::string& said)
{
    static const char kKeyChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+";
    std::vector<std::string> names;
    std::size_t at = said.find_first_of(kKeyChars);
    while (at != std::string::npos) {
        const std::size_t end = said.find_first_not_of(kKeyChars, at);
        const std::string run = said.substr(at, end - at);
        const std::size_t plus = run.rfind('+');
        bool joined = plus != std::string::npos && plus + 1 < run.size();
        for (std::size_t from = 0; joined && from < plus;) {
            const std::size_t next = run.find('+', from);
            const std::string modifier = run.substr(from, next - from);
            joined = modifier == "Ctrl" || modifier == "Shift" || modifier == "Alt";
            from = next + 1;
        }
        const bool function = run.size() > 1 && run[0] == 'F' && run.find_first_not_of("0123456789", 1) == std::string::npos;
        if (joined || function || run == "DEL" || run == "Esc" || run == "Home")
            names.push_back(run);
        at = said.find_first_of(kKeyChars, end);
    }
    return names;
}

TEST(ResourceTexts, MenuLinesHaveTextsAndIdsOfTheirOwnAndMnemonicsDoNotClash)
{
    const ResourceSet& res = TrackwrightResources();
    std::set<UINT> ids;
    std::vector<std::set<char>> mnemonics(1);   // the menu bar's, then one set per open popup
    for (const MenuItemDef& m : res.menu) {
        if (m.kind == MenuItemDef::EndPopup) {
            ASSERT_GT(mnemonics.size(), 1u) << "an end without its popup";
            mnemonics.pop_back();
            continue;
        }
        if (m.kind == MenuItemDef::Separator)
            continue;
        const std::string text = m.text ? m.text : "";
        EXPECT_FALSE(text.empty()) << "menu line " << m.nID;
        EXPECT_TRUE(m.kind != MenuItemDef::Item || ids.insert(m.nID).second) << "two menu lines run " << m.nID;
        const char letter = Mnemonic(text);
        EXPECT_TRUE(letter == 0 || mnemonics.back().insert(letter).second) << "&" << letter << " again in " << text;
        if (m.kind == MenuItemDef::Popup)
            mnemonics.emplace_back();
    }
    EXPECT_EQ(mnemonics.size(), 1u) << "a popup without its end";
    EXPECT_GE(ids.size(), 40u);
}

// A key two commands share would run only one of them; a key a menu line shows must run its command.
// DEL is the view's own key (it deletes what lies under the mouse), not an accelerator.
TEST(ResourceTexts, AcceleratorsDoNotClashAndEveryKeyAMenuLineShowsRunsItsCommand)
{
    const ResourceSet& res = TrackwrightResources();
    std::map<std::string, UINT> keys;
    for (const AccelDef& a : res.accelerators)
        EXPECT_TRUE(keys.emplace(KeyName(a), a.nID).second) << KeyName(a) << " twice";
    bool inHelp = false;
    int shown = 0;
    for (const MenuItemDef& m : res.menu) {
        if (m.kind == MenuItemDef::Popup)
            inHelp = std::string(m.text) == "ヘルプ(&H)";
        const std::string text = m.kind == MenuItemDef::Item ? m.text : "";
        const std::size_t tab = text.find('\t');
        if (inHelp || tab == std::string::npos || text.substr(tab + 1) == "Del")
            continue;
        ++shown;
        const auto key = keys.find(text.substr(tab + 1));
        ASSERT_NE(key, keys.end()) << text;
        EXPECT_EQ(key->second, m.nID) << text;
    }
    EXPECT_GE(shown, 10);
}

// Strings, dialogs and the controls of each dialog are found by id: one of each; a dialog's
// mnemonics lead to one field each.
TEST(ResourceTexts, StringsDialogsAndControlsHaveIdsOfTheirOwn)
{
    const ResourceSet& res = TrackwrightResources();
    std::set<UINT> strings;
    for (const StringDef& s : res.strings) {
        EXPECT_TRUE(strings.insert(s.nID).second) << "string " << s.nID << " twice";
        EXPECT_NE(std::string(s.text), "") << "string " << s.nID;
    }
    std::set<UINT> dialogs;
    for (const DialogDef& d : res.dialogs) {
        SCOPED_TRACE(d.caption);
        EXPECT_TRUE(dialogs.insert(d.nID).second) << "dialog " << d.nID << " twice";
        std::set<UINT> controls;
        std::set<char> mnemonics;
        for (const DialogControlDef& c : d.controls) {
            EXPECT_TRUE(c.nID == 0 || controls.insert(c.nID).second) << "control " << c.nID << " twice";
            const char letter = Mnemonic(c.text);
            EXPECT_TRUE(letter == 0 || mnemonics.insert(letter).second) << "&" << letter << " again in " << c.text;
        }
    }
    EXPECT_GE(dialogs.size(), 5u);
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
        for (const std::string& key : KeyNames(said)) {
            ++known;
            EXPECT_NE(help.find(key), std::string::npos) << key << " (" << said << ")";
        }
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
