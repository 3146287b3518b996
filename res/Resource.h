#pragma once

// Resource, command and control ids of the program.
#include "framework/AfxRes.h"

constexpr UINT IDR_MAINFRAME = 128;
constexpr UINT IDD_ABOUTBOX = 100;
constexpr UINT IDD_SETTINGS = 130;
constexpr UINT IDD_POINT_VALUES = 131;
constexpr UINT IDD_XOBJECT_VALUES = 132;

// Status bar messages, followed by the map path.
constexpr UINT IDS_HEIGHTMAP_NOT_READ = 140;
constexpr UINT IDS_COLORMAP_NOT_READ = 141;

constexpr UINT IDC_HEIGHTMAP = 1000;
constexpr UINT IDC_COLORMAP = 1001;
constexpr UINT IDC_LUMINANCE = 1002;
constexpr UINT IDC_XOBJECT_SCALE = 1003;
// The values dialogs.
constexpr UINT IDC_POS_X = 1010;
constexpr UINT IDC_POS_Y = 1011;
constexpr UINT IDC_TAN_NEXT_X = 1012;
constexpr UINT IDC_TAN_NEXT_Y = 1013;
constexpr UINT IDC_TAN_PREV_X = 1014;
constexpr UINT IDC_TAN_PREV_Y = 1015;
constexpr UINT IDC_WIDTH_RIGHT = 1016;
constexpr UINT IDC_WIDTH_LEFT = 1017;
constexpr UINT IDC_XOBJECT_NAME = 1018;
constexpr UINT IDC_DIRECTION = 1019;
constexpr UINT IDC_XOBJECT_WIDTH = 1020;
constexpr UINT IDC_XOBJECT_HEIGHT = 1021;

constexpr UINT ID_HELP_USAGE = 32771;
constexpr UINT ID_HELP_VIEW_PAN = 32772;
constexpr UINT ID_HELP_VIEW_ZOOM = 32773;
constexpr UINT ID_HELP_POINT_MOVE = 32774;
constexpr UINT ID_HELP_TANGENT_EDIT = 32775;
constexpr UINT ID_HELP_WIDTH_EDIT = 32776;
constexpr UINT ID_HELP_POINT_ADD = 32777;
constexpr UINT ID_HELP_POINT_DELETE = 32778;
constexpr UINT ID_SETTINGS = 32779;
constexpr UINT ID_VIEW_HEIGHTMAP = 32780;
constexpr UINT ID_VIEW_COLORMAP = 32781;
constexpr UINT ID_HELP_XOBJECT_ADD = 32782;
constexpr UINT ID_HELP_XOBJECT_DELETE = 32783;
constexpr UINT ID_VIEW_SHOWALL = 32784;
constexpr UINT ID_HELP_SELECT = 32785;
constexpr UINT ID_HELP_SELECT_BAND = 32786;
constexpr UINT ID_HELP_SELECTION_MOVE = 32787;
constexpr UINT ID_HELP_VALUES = 32788;
// The Edit menu's delete and select-all; the help card's further lines.
constexpr UINT ID_EDIT_DELETE = 32820;
constexpr UINT ID_EDIT_SELECT_ALL = 32821;
constexpr UINT ID_HELP_XOBJECT_MOVE = 32822;
constexpr UINT ID_HELP_SELECTION_DELETE = 32823;
constexpr UINT ID_HELP_CLEAR_SELECTION = 32824;
constexpr UINT ID_HELP_SELECT_ALL = 32825;
constexpr UINT ID_HELP_CLIPBOARD = 32826;
constexpr UINT ID_HELP_UNDO = 32827;
constexpr UINT ID_HELP_SHOWALL = 32828;
constexpr UINT ID_HELP_FILE_KEYS = 32829;

// Edit menu texts with a place (%s) for the name of the step, and the names of the steps.
constexpr UINT IDS_EDIT_UNDO_ITEM = 300;
constexpr UINT IDS_EDIT_REDO_ITEM = 301;
constexpr UINT IDS_STEP_POINT_MOVE = 310;
constexpr UINT IDS_STEP_TANGENT_EDIT = 311;
constexpr UINT IDS_STEP_WIDTH_EDIT = 312;
constexpr UINT IDS_STEP_XOBJECT_MOVE = 313;
constexpr UINT IDS_STEP_XOBJECT_TURN = 314;
constexpr UINT IDS_STEP_POINT_ADD = 315;
constexpr UINT IDS_STEP_XOBJECT_ADD = 316;
constexpr UINT IDS_STEP_POINT_DELETE = 317;
constexpr UINT IDS_STEP_XOBJECT_DELETE = 318;
constexpr UINT IDS_STEP_DELETE = 319;
constexpr UINT IDS_STEP_SETTINGS = 320;
constexpr UINT IDS_STEP_MAP_SWITCH = 321;
// The recovery copy: the question at start-up or Open, and the status line of a failed write.
constexpr UINT IDS_RECOVERY_QUESTION = 330;
constexpr UINT IDS_RECOVERY_WRITE_FAILED = 331;
constexpr UINT IDS_STEP_SELECTION_MOVE = 322;
constexpr UINT IDS_STEP_SELECTION_DELETE = 323;
constexpr UINT IDS_STEP_CUT = 324;
constexpr UINT IDS_STEP_PASTE = 325;
constexpr UINT IDS_STEP_VALUES = 326;

// Status bar texts: printf formats whose numbers come in as text.
constexpr UINT IDS_STATUS_POSITION = 340;
constexpr UINT IDS_STATUS_POINT = 341;
constexpr UINT IDS_STATUS_XOBJECT = 342;
constexpr UINT IDS_STATUS_SELECTION = 343;
constexpr UINT IDS_STATUS_KEEP_THREE_POINTS = 344;
constexpr UINT IDS_STATUS_PASTE_MALFORMED = 345;
constexpr UINT IDS_NAME_HAS_QUOTE = 346;

// The glTF export.
constexpr UINT IDS_EXPORT_BAD_POINT = 420;
constexpr UINT IDS_EXPORT_BAD_XOBJECT = 421;
constexpr UINT IDS_EXPORT_BAD_SCALE = 422;
constexpr UINT IDS_EXPORT_WRITE_FAILED = 423;
constexpr UINT IDS_EXPORT_DONE = 424;
constexpr UINT IDS_EXPORT_TITLE = 425;
constexpr UINT IDS_EXPORT_FILTER = 426;
constexpr UINT ID_FILE_EXPORT = 32810;
constexpr UINT IDD_EXPORT = 160;
constexpr UINT IDC_HEIGHT_SCALE = 1120;
constexpr UINT IDS_STATUS_PASTE_NO_OBJECTS = 440;
// Save where the folder takes no temporary file.
constexpr UINT IDS_SAVED_IN_PLACE = 460;
constexpr UINT IDS_SAVE_OLD_CONTENTS_KEPT = 461;

// The course check: texts of several pieces separated by "\n" are chosen by kind, part, field
// or side (document/CourseCheckText.cpp).
constexpr UINT IDS_CHECK_KINDS = 401;
constexpr UINT IDS_CHECK_PARTS = 402;
constexpr UINT IDS_CHECK_FIELDS = 403;
constexpr UINT IDS_CHECK_VALUE = 404;
constexpr UINT IDS_CHECK_FOLD = 405;
constexpr UINT IDS_CHECK_CROSSING = 406;
constexpr UINT IDS_CHECK_OVERLAP = 407;
constexpr UINT IDS_CHECK_SUMMARY = 408;
constexpr UINT IDS_CHECK_FIGURES = 409;
constexpr UINT IDS_CHECK_OPEN_VALUES = 410;
constexpr UINT IDS_CHECK_TITLE = 411;
constexpr UINT IDS_CHECK_NO_FINDINGS = 412;
constexpr UINT IDS_CHECK_TOO_LARGE = 413;
constexpr UINT IDS_CHECK_COLUMNS = 414;
constexpr UINT ID_VIEW_CHECK = 32800;
constexpr UINT ID_HELP_CHECK = 32801;

// The 3-D preview.
constexpr UINT IDS_PREVIEW_BAD_VALUES = 500;
constexpr UINT IDS_PREVIEW_TEXTURE_FAILED = 501;
constexpr UINT IDS_PREVIEW_TITLE = 502;
constexpr UINT IDS_PREVIEW_DRIVE = 503;
constexpr UINT IDS_PREVIEW_CONTEXT_LOST = 504;
constexpr UINT ID_VIEW_PREVIEW = 32850;
constexpr UINT ID_HELP_PREVIEW = 32851;

// Open, save and settings messages: the read and write failures are formats (%s the path); the
// others are followed by the text at fault or stand alone.
constexpr UINT IDS_COURSE_READ_FAILED = 520;
constexpr UINT IDS_COURSE_WRITE_FAILED = 521;
constexpr UINT IDS_SAVE_QUOTE_REFUSED = 522;
constexpr UINT IDS_HEIGHTMAP_NOT_OPENED = 523;
constexpr UINT IDS_COLORMAP_NOT_OPENED = 524;
// The view's own message boxes when its window gets no pixel format (no caption of their own).
constexpr UINT IDS_CHOOSE_PIXEL_FORMAT_FAILED = 525;
constexpr UINT IDS_SET_PIXEL_FORMAT_FAILED = 526;

// The command line's texts, in English like its manual page (res/trackwright.1.in, which the
// package check compares with IDS_CMD_USAGE). Formats take the argument or path at fault.
constexpr UINT IDS_CMD_USAGE = 530;
constexpr UINT IDS_CMD_RENDER_USAGE = 531;
constexpr UINT IDS_CMD_EXPORT_USAGE = 532;
constexpr UINT IDS_CMD_CHECK_USAGE = 533;
constexpr UINT IDS_CMD_VERSION = 534;
constexpr UINT IDS_CMD_MESSAGE = 535;
constexpr UINT IDS_CMD_UNKNOWN_OPTION = 536;
constexpr UINT IDS_CMD_UNEXPECTED_ARGUMENT = 537;
constexpr UINT IDS_CMD_BAD_SIZE = 538;
constexpr UINT IDS_CMD_BAD_DRIVE = 539;
constexpr UINT IDS_CMD_BAD_THUMBNAIL = 540;
constexpr UINT IDS_CMD_BAD_HEIGHT_SCALE = 541;
constexpr UINT IDS_CMD_THUMBNAIL_UNREADABLE = 542;
constexpr UINT IDS_CMD_THUMBNAIL_TOO_LARGE = 543;
constexpr UINT IDS_CMD_NOTHING_TO_DRAW = 544;
constexpr UINT IDS_CMD_NO_GL = 545;
constexpr UINT IDS_CMD_CANNOT_WRITE = 546;
constexpr UINT IDS_CMD_LIMITS_NOT_SET = 547;
