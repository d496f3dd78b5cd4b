#pragma once

#include <cstdint>
#include <functional>

namespace kc {

struct Context;

// The option buttons COM 1 to 4 and "weitere ...", the tab strip and the list
// of further ports, kept in step. An option click selects its tab, whose
// click selects the option again; the tab's test of the current tab ends that
// round trip.
class PortChoice {
public:
    using ButtonPress = std::function<void(int button)>;

    PortChoice(Context& context, ButtonPress pressButton);

    void OptionClicked(int option);
    void TabClicked(int tab);
    void ListClicked(int row);

    // What the program does when it sets an option or a tab: the control
    // changes and its click handler runs.
    void SelectOption(int option);
    void SelectTab(int tab);

    // Port number of list entry row, or 0 when there is none.
    uint16_t PortOfListRow(int row) const;

private:
    Context& context_;
    ButtonPress pressButton_;
};

} // namespace kc
