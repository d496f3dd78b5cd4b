// SPDX-License-Identifier: Apache-2.0
#include "library_calls.h"

#include <algorithm>

namespace kc::host {

Answer LibraryCalls::answer(const Request& request) {
    if (const auto* r = std::get_if<InitRequest>(&request))
        return InitAnswer{library_.init(r->ctn, r->pn)};
    if (const auto* r = std::get_if<DataRequest>(&request))
        return data(*r);
    if (const auto* r = std::get_if<CloseRequest>(&request))
        return CloseAnswer{library_.close(r->ctn)};
    const auto& r = std::get<BaudRequest>(request);
    BaudAnswer answer{0, r.baud};
    answer.result = library_.getBaudrate(r.ctn, &answer.baud);
    return answer;
}

DataAnswer LibraryCalls::data(const DataRequest& request) {
    // The library may write to the command too: it gets a copy.
    std::copy(request.command.begin(), request.command.end(), command_.begin());
    DataAnswer answer{0, request.dad, request.sad, request.lenr, {}};
    answer.code = library_.data(request.ctn, &answer.dad, &answer.sad, uint16_t(request.command.size()),
                                command_.data(), &answer.lenr, response_.data());
    const std::size_t returned = ReturnedResponseSize(answer.code, answer.lenr, request.lenr);
    answer.response.assign(response_.begin(), response_.begin() + std::ptrdiff_t(returned));
    return answer;
}

} // namespace kc::host
