// Resource identifiers the editor's dialog template and its code share. Plain macros: the
// resource compiler reads this file too.
#pragma once

// The editor's dialog template: the borderless frame, its font and the OK and Cancel buttons.
#define IDD_NEW_BTN_FORM 200
