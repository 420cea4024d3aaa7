#pragma once
// Ids of resources, menu commands and controls. Plain #defines: the resource
// compiler reads this file too.

// Resources
#define IDR_MAINMENU 110        // menu and accelerator table
#define IDR_KEYS 111            // the keys of the button-only actions and of the row moves
#define IDD_ABOUT 103           // version information dialog
#define IDS_TITLE 103           // "Vexilo"
#define IDS_MAIN_CLASS 110      // "VEXILO"
#define IDI_LARGE 108
#define IDI_SMALL 109
#define IDI_ABOUT 128           // named by the version dialog, not carried

// Menu commands
#define IDM_ABOUT 105
#define IDM_CLEAR_LOG 106
#define IDM_EXIT 107
#define IDM_EXPLAIN 120
#define IDM_JAPANESE 121
#define IDM_STORE_LOG 129

// Commands of the keys in IDR_KEYS (no menu items)
#define IDM_NEXT_ROW 130
#define IDM_PREVIOUS_ROW 131
#define IDM_TOGGLE_MODE 132
#define IDM_CALCULATE_ROW 133
#define IDM_COPY_ANSWER 134
#define IDM_TOGGLE_ON_TOP 135
#define IDM_NEXT_PANE 136
#define IDM_PREVIOUS_PANE 137

// Children of the main window
#define IDC_PANEL 140
#define IDC_LOG 141

// Controls of the panel
#define IDC_ANSWER 150          // the answer label and the answer field share it
#define IDC_COPY 152
#define IDC_ON_TOP 153
#define IDC_X_LABEL 154
#define IDC_X 155
#define IDC_Y_LABEL 156
#define IDC_Y 157
#define IDC_Z_LABEL 158
#define IDC_Z 159
// x, y and z: their boxes are IDC_X, IDC_Y, IDC_Z, two ids apart
#define VARIABLE_COUNT 3
#define IDC_HELP_BUTTON 160
#define IDC_ROWS 161
#define IDC_FORMULAS_CAPTION 170

// The twenty formula rows: row i has these ids plus i
#define ROW_COUNT 20
#define IDC_FORMULA_FIRST 171
#define IDC_MODE_FIRST 200
#define IDC_CALC_FIRST 220

// The explanation dialog (104) and its text (320)
#include "help/ExplainIds.h"
