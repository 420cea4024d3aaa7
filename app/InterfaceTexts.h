#pragma once

// Every text of the interface that has an English and a Japanese form: the
// captions of the controls and menus, the names a screen reader announces,
// and the messages of the window program.
enum class TextId {
    // Captions
    ANSWER_LABEL,
    COPY_BUTTON,
    ON_TOP_BUTTON,
    FORMULAS_CAPTION,
    CALC_BUTTON,
    MODE_INT,
    MODE_DEC,
    // The menu bar's titles and items
    FILE_MENU,
    HELP_MENU,
    CLEAR_LOG,
    STORE_LOG,
    JAPANESE,
    EXIT,
    EXPLAIN,
    ABOUT,
    // Names for a screen reader; %d in a row's name is the row's number, from 1
    NAME_PANEL,
    NAME_LOG,
    NAME_ANSWER,
    NAME_COPY,
    NAME_ON_TOP,
    NAME_X,
    NAME_Y,
    NAME_Z,
    NAME_HELP,
    NAME_ROWS,
    NAME_FORMULA,
    NAME_MODE,
    NAME_CALC,
    // Messages, with the path as %s and the system's error after it
    LOG_NOT_STORED,
    SETTINGS_NOT_SAVED,
    COUNT
};

const wchar_t* InterfaceText(TextId id, bool japanese);
