#pragma once
// A dialog described as data: its caption, its size and every control with
// its kind, id, caption and place, all in dialog units (a horizontal unit is
// a quarter of the dialog font's average character width, a vertical one an
// eighth of its height). Each front end builds its dialogs from these, so a
// dialog is laid out once for every platform. Controls are listed in tab order.

#include <string>
#include <vector>

namespace orvik {

enum class eControlKind {
    kLabel,          // static text
    kIcon,           // the program's icon
    kGroup,          // a frame with a caption around other controls
    kEdit,           // one line of text
    kButton,         // a push button
    kDefaultButton,  // the push button Enter presses
    kCheck,          // a check box
    kDropDownList,   // a drop-down list to choose from (no typing); its height is that of the open list
    kNameList,       // a list of names with a picture, one column, no header, several rows selectable
    kSpin,           // up and down arrows at the right edge of the edit box `buddy`
    kReportList,     // a list with a header of columns, sorted by a click on one; several rows selectable
};

// A column of a report list: its title and its width in pixels at the normal size of text.
struct cColumn {
    std::u16string title;
    int width;
};

// How a control follows a resizable form's extra size: it moves right with
// the extra width or (the rest) grows with it; its top moves down by, and
// its height grows by, thirds of the extra height.
struct cResize {
    bool movesRight = false;
    int topThirds = 0;
    int heightThirds = 0;
};

struct cControl {
    eControlKind kind;
    int id;  // 0: nobody refers to it
    std::u16string caption;
    int x, y, width, height;
    int buddy = 0;  // kSpin: the edit box it steps
    // A button with a picture of this size (in pixels) shows the picture its
    // caption names instead of the caption, which it gives as its tooltip.
    int pictureWidth = 0, pictureHeight = 0;
    // kReportList: the columns; its caption names the pictures its rows may carry.
    std::vector<cColumn> columns = {};
    // kLabel: one line of text in the middle of its height (else at its top).
    bool middle = false;
    // A list that keeps its rows in ascending order of their first column's text, ignoring case.
    bool sorted = false;
    cResize resize = {};
};

struct cForm {
    int id;  // also the name tests find the dialog by ("id<id>")
    std::u16string caption;
    int width, height;
    std::vector<cControl> controls;
    // A resizable form opens at its size and may grow, never shrink.
    bool resizable = false;

    const cControl* Find(int controlId) const {
        for (const cControl& c : controls)
            if (c.id == controlId) return &c;
        return nullptr;
    }
};

// The ids every dialog shares: OK ends it taking what it shows, Cancel (and Esc) ends it taking nothing.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

}  // namespace orvik
