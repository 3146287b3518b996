#include "AppRun.h"

#include "res/Resource.h"

namespace {

using MenuState = AppRun;

TEST_F(MenuState, ItemsAtStartAndHelpLinesThatRunNothing)
{
    Start();
    int dialogs = 0;
    backend.dialogScript = [&dialogs](CDialog&, TestDialogHost&) { ++dialogs; };
    // The help menu's lines are texts to read: enabled, and no command.
    for (UINT id : {32771u, 32772u, 32773u, 32774u, 32775u, 32776u, 32777u, 32778u, 32782u, 32783u, 32785u,
                    32786u, 32787u, 32788u, 32822u, 32823u, 32824u, 32825u, 32826u, 32827u, 32828u, 32829u, 32801u, 32851u}) {
        EXPECT_TRUE(Update(id).m_bEnabled) << id;
        EXPECT_FALSE(Command(id)) << id;
    }
    EXPECT_TRUE(dialogs == 0 && backend.messages.empty() && !Doc().IsModified());
    for (UINT id : {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_UNDO, ID_EDIT_DELETE, ID_NEXT_PANE, ID_PREV_PANE})
        EXPECT_FALSE(Update(id).m_bEnabled) << id;
    for (UINT id : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_APP_EXIT, ID_SETTINGS,
                    ID_VIEW_TOOLBAR, ID_FILE_PRINT, ID_FILE_PRINT_SETUP, ID_APP_ABOUT, ID_EDIT_SELECT_ALL})
        EXPECT_TRUE(Update(id).m_bEnabled) << id;
    EXPECT_TRUE(Command(ID_APP_ABOUT));
    EXPECT_EQ(dialogs, 1);
}

}  // namespace
