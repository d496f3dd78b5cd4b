// SPDX-License-Identifier: Apache-2.0
// The simulator's answers written down as dialogues (tests/data/sim):
// each case is a scenario, then the calls and what they must give.
//   === Name [< file.scn | < builtin]   scenario text follows up to "---"
//   init CTN PN -> CODE        close CTN -> CODE       baud CTN -> CODE [BAUD]
//   ct|card HEX [/ROOM] -> HEX|@cards/F.hex[OFF+COUNT]... [from ct|card]
//   ct|card HEX -> code N      present PN -> yes|no     port PN CODE
//   refused ERROR              (the scenario itself must not load)
#include "data_cases.h"
#include "sim_test_helpers.h"

#include <fstream>
#include <sstream>

namespace kc::sim::test {
namespace {

struct Dialogue {
    std::string name;
    std::string base; // scenario file the text is added to, or "builtin"
    std::string scenario;
    std::vector<std::string> steps;
};

void PrintTo(const Dialogue& dialogue, std::ostream* out) {
    *out << dialogue.name;
}

std::vector<Dialogue> LoadDialogues() {
    std::vector<Dialogue> all;
    for (const kc::test::DataCase& c : kc::test::DataCasesIn(QStringLiteral(KC_SIM_DIALOGUES_DIR))) {
        Dialogue& dialogue = all.emplace_back(
            c.name.toStdString(), c.head.startsWith(QLatin1String("< ")) ? c.head.mid(2).toStdString() : "",
            "", std::vector<std::string>{});
        bool inSteps = false;
        for (const QString& text : c.lines) {
            const std::string line = text.toStdString();
            if (line == "---")
                inSteps = true;
            else if (!inSteps)
                dialogue.scenario += line + "\n";
            else if (!line.empty() && !line.starts_with('#'))
                dialogue.steps.push_back(line);
        }
    }
    return all;
}

// The answer a step expects: hex and @file[offset+count] pieces, then "from" whom.
std::string ExpectedHex(std::istringstream& words, std::string& from) {
    std::string hex;
    for (std::string word; words >> word;) {
        if (word == "from") {
            words >> from;
            break;
        }
        if (!word.starts_with('@')) {
            hex += word;
            continue;
        }
        const auto bracket = word.find('[');
        std::string whole;
        std::ifstream(scenariosDir() + "/" + word.substr(1, bracket - 1)) >> whole;
        whole = ToHex(FromHex(whole).value_or(Bytes{}));
        if (bracket != std::string::npos) {
            std::size_t offset = 0, count = 0;
            char plus = 0;
            std::istringstream(word.substr(bracket + 1)) >> offset >> plus >> count;
            whole = whole.substr(offset * 2, count * 2);
        }
        hex += whole;
    }
    return hex;
}

void Play(Simulator& simulator, const std::string& step) {
    const auto arrow = step.find(" ->");
    std::istringstream call(step.substr(0, arrow));
    std::istringstream result(arrow == std::string::npos ? "" : step.substr(arrow + 3));
    std::string verb, command, room, word;
    int a = 0, b = 0, code = 0;
    call >> verb;
    if (verb == "init" && call >> a >> b && result >> code) {
        EXPECT_EQ(simulator.init(a, b), code);
    } else if (verb == "close" && call >> a && result >> code) {
        EXPECT_EQ(simulator.close(a), code);
    } else if (verb == "baud" && call >> a && result >> code) {
        int32_t baud = -1;
        EXPECT_EQ(simulator.getBaudrate(a, &baud), code);
        if (result >> b) {
            EXPECT_EQ(baud, b);
        }
    } else if (verb == "present" && call >> a) {
        result >> word;
        EXPECT_EQ(simulator.cardPresent(a) ? "yes" : "no", word);
    } else if (verb == "port" && call >> a >> code) {
        simulator.setPortResult(a, code);
    } else if ((verb == "ct" || verb == "card") && call >> command) {
        const uint16_t capacity = call >> room ? std::stoi(room.substr(1)) : 4098;
        const auto got = simulator.transmit(1, verb == "ct" ? kTerminal : kCard, command, capacity);
        if (result.str().starts_with(" code ") && result >> word >> code) {
            EXPECT_EQ(got.code, code);
            return;
        }
        std::string from;
        EXPECT_EQ(got.code, 0);
        EXPECT_EQ(got.response, ExpectedHex(result, from));
        if (!from.empty()) {
            EXPECT_EQ(got.sad, from == "ct" ? kTerminal : kCard);
        }
    } else {
        ADD_FAILURE() << "unreadable step";
    }
}

class SimulatorDialogue : public ::testing::TestWithParam<Dialogue> {};

TEST_P(SimulatorDialogue, GivesTheWrittenAnswers) {
    const Dialogue& dialogue = GetParam();
    if (!dialogue.steps.empty() && dialogue.steps[0].starts_with("refused ")) {
        EXPECT_EQ(Scenario::fromText(dialogue.scenario, scenariosDir()).error, dialogue.steps[0].substr(8));
        return;
    }
    std::string text = dialogue.scenario;
    if (!dialogue.base.empty() && dialogue.base != "builtin") {
        std::ifstream in(scenariosDir() + "/" + dialogue.base);
        text = std::string(std::istreambuf_iterator<char>(in), {}) + "\n" + text;
    }
    Simulator simulator = dialogue.base == "builtin" ? Simulator::builtIn() : load(text);
    for (const auto& step : dialogue.steps) {
        SCOPED_TRACE(step);
        Play(simulator, step);
    }
}

INSTANTIATE_TEST_SUITE_P(Dialogues, SimulatorDialogue, ::testing::ValuesIn(LoadDialogues()),
                         [](const auto& row) { return row.param.name; });

} // namespace
} // namespace kc::sim::test
