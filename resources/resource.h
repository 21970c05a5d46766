/* Resource identifiers shared by the resource script and the code. */
#ifndef VEILPIX_RESOURCES_RESOURCE_H
#define VEILPIX_RESOURCES_RESOURCE_H

#define IDI_MAIN 1      /* main window and program icon */
#define IDI_SHOWN 2     /* chooser window icon; tray image while pictures are shown */
#define IDI_HIDDEN 3    /* About window icon; tray image while pictures are hidden */
#define IDI_WHIRLWIND 4 /* the About window's erase picture */
#define IDC_HAND_LINK 5 /* cursor over the About window's links */

/* Tray menu commands */
#define IDM_TOGGLE 101
#define IDM_CHANGE 102
#define IDM_START 103
#define IDM_POS 104
#define IDM_ABOUT 105
#define IDM_END 106

/* Main window controls */
#define IDC_MAIN_BUTTON 200

/* Chooser controls, in tab order */
#define IDC_CHOOSER_DRIVES 300
#define IDC_CHOOSER_DIRECTORIES 301
#define IDC_CHOOSER_FILES 302
#define IDC_CHOOSER_PROMPT 303
#define IDC_CHOOSER_OK 304
#define IDC_CHOOSER_CANCEL 305

/* About window controls, in tab order */
#define IDC_ABOUT_REPORT_LINK 400
#define IDC_ABOUT_EMAIL_LABEL 401
#define IDC_ABOUT_WWW_LABEL 402
#define IDC_ABOUT_SUPPORT_LINK 403
#define IDC_ABOUT_SUPPORT_HEADING 404
#define IDC_ABOUT_REPORT_HEADING 405
#define IDC_ABOUT_ERASE 406
#define IDC_ABOUT_LICENCE 407
#define IDC_ABOUT_DESCRIPTION 408
#define IDC_ABOUT_TITLE 409
#define IDC_ABOUT_OK 411

#define VEILPIX_VERSION_MAJOR 2
#define VEILPIX_VERSION_MINOR 0
#define VEILPIX_VERSION_TEXT "2.0.0.0"

#endif
