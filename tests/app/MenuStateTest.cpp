#include "AppRun.h"

#include "res/Resource.h"

namespace {

using MenuState = AppRun;

TEST_F(MenuState, HelpItemsAreAlwaysEnabledAndDoNothing)
{
    Start();
    int dialogs = 0;
    backend.dialogScript = [&dialogs](CDialog&, TestDialogHost&) { ++dialogs; };
    for (UINT id : {32771u, 32772u, 32773u, 32774u, 32775u, 32776u, 32777u, 32778u, 32782u, 32783u, 32785u,
                    32786u, 32787u, 32788u}) {
        EXPECT_TRUE(Update(id).m_bEnabled) << id;
        EXPECT_FALSE(Command(id)) << id;
    }
    EXPECT_EQ(dialogs, 0);
    EXPECT_TRUE(backend.messages.empty());
    EXPECT_FALSE(Doc().IsModified());

    EXPECT_TRUE(Update(ID_APP_ABOUT).m_bEnabled);
    EXPECT_TRUE(Command(ID_APP_ABOUT));
    EXPECT_EQ(dialogs, 1);
}

TEST_F(MenuState, EditAndPaneCommandsStayDisabled)
{
    Start();
    for (UINT id : {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_UNDO, ID_NEXT_PANE, ID_PREV_PANE})
        EXPECT_FALSE(Update(id).m_bEnabled) << id;
    for (UINT id : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_APP_EXIT, ID_SETTINGS,
                    ID_VIEW_TOOLBAR, ID_FILE_PRINT, ID_FILE_PRINT_SETUP})
        EXPECT_TRUE(Update(id).m_bEnabled) << id;
}

}  // namespace
