// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstddef>

// The default scenario and the card images it names, compiled in.
namespace kc::sim::embedded {

struct EmbeddedFile {
    const char* path; // relative to the scenarios folder
    const unsigned char* data;
    std::size_t size;
};

extern const EmbeddedFile kDefaultScenarioFiles[];
extern const std::size_t kDefaultScenarioFileCount;

} // namespace kc::sim::embedded
