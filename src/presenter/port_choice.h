// SPDX-License-Identifier: Apache-2.0
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
    // Tests a port just chosen from the list; false when the program is to
    // end instead of going on.
    using PortTest = std::function<bool(uint16_t pn)>;

    PortChoice(Context& ctx, ButtonPress pressButton, PortTest testPort = {});

    void optionClicked(int option);
    void tabClicked(int tab);
    void listClicked(int row);

    // What the program does when it sets an option: the control changes and
    // its click handler runs, which checks the option.
    void selectOption(int option);

    // Port number of list entry row, or 0 when there is none.
    uint16_t portOfListRow(int row) const;

  private:
    // Called only with an option already checked.
    void selectTab(int tab);

    Context& ctx_;
    ButtonPress pressButton_;
    PortTest testPort_;
};

} // namespace kc
