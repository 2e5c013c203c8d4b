#include "forms/HelpPage.h"

#include "base/Vendor.h"

namespace orvik {

std::u16string HelpPageHtml() {
    std::u16string page =
        uR"(<html><body>
<h1><a name="131223"></a>{product}: the real last logon of every user</h1>
<p>Every domain controller keeps its own last-logon time for each account and does not pass it on to the
others, so no single controller knows when a user really last logged on. {product} asks every domain controller
in its list for all normal user accounts, several at the same time, and keeps for each user the latest
last-logon time that any controller reported. Use it to find accounts nobody has used for a long time
before you disable them.</p>
<h2>Collecting</h2>
<ul>
<li><b>+ DC</b> sets the list of domain controllers: type a name and press Add (or Enter), or press Search to
list the domain controllers of the default domains (Setup); when Search finds nothing, the line under the lists
says why. <b>- DC</b> removes the selected one.</li>
<li><b>Start</b> (or the Enter key) collects from every controller in the list. Each controller's row shows
its status: blue Idle, yellow Busy, green Ready, red Error with the error code. A right click on selected
controllers starts only those and keeps the results that are there.</li>
<li><b>Reset</b> stops the collection, waits for every controller to answer and empties the results; it asks
first when there are users to lose.</li>
</ul>
<h2>Results</h2>
<ul>
<li>The user list shows the merged users, most recent last logon first; a click on a column title sorts by
that column, a second click reverses the order. "Never" means no controller saw a logon. The line under the
list says how many users it shows of how many (Setup sets the number shown).</li>
<li><b>Show</b> refreshes the list; <b>Search</b> shows only users whose name, full name or
description contains a text.</li>
<li>At the end of every collection, and on <b>Save</b>, the users are written to the export file
(a new file each time) and a block is added to the summary file.</li>
<li><b>Print</b> prints the report: a summary, then the user list as it is shown; pages with the columns
that did not fit repeat the user name. Choose a printer, or print to a PDF file: the next print proposes the
same again.</li>
</ul>
<h2>Settings</h2>
<p><b>Setup</b> holds the export file and its line format, the summary file, the refresh period, the number
of users shown, the page size of one request and the number of controllers asked at the same time. Its
<b>Print setup</b> holds the report's header and footer texts (%DATE%, %TIME% and %PAGENUMBER% are filled
in) and its three fonts.</p>
</body></html>)";
    const std::u16string_view placeholder = u"{product}";
    for (std::size_t at = page.find(placeholder); at != std::u16string::npos; at = page.find(placeholder, at))
        page.replace(at, placeholder.size(), kProductName);
    return page;
}

}  // namespace orvik
