// SPDX-License-Identifier: Apache-2.0
#include "terminal/hosted_ctapi_provider.h"

#include "base/program_folder.h"
#include "terminal/library_choice.h"

#include <QFile>

namespace kc {

HostedCtApiProvider::HostedCtApiProvider() : HostedCtApiProvider(helperToStart(), QString()) {}

HostedCtApiProvider::HostedCtApiProvider(QString helper, QString library, HostTimeLimits limits)
    : helper_(std::move(helper)), library_(std::move(library)), limits_(limits) {}

QString HostedCtApiProvider::helperToStart() {
    return ChooseHelper(ProgramFolder(), PrivateLibraryFolder());
}

void HostedCtApiProvider::setWhileWaiting(std::function<void()> whileWaiting) {
    whileWaiting_ = std::move(whileWaiting);
    if (api_)
        api_->setWhileWaiting(whileWaiting_);
}

void HostedCtApiProvider::useLibrary(const QString& library) {
    library_ = library;
    api_.reset();
    loaded_ = false;
}

QString HostedCtApiProvider::libraryFile() const {
    return library_.isEmpty() ? LibraryCtApiProvider::libraryToLoad() : library_;
}

CtApi* HostedCtApiProvider::acquire(LibraryFault& fault) {
    if (!api_) {
        api_ = std::make_unique<HostedCtApi>(QFile::encodeName(helper_).toStdString(),
                                             QFile::encodeName(libraryFile()).toStdString(), limits_);
        api_->setWhileWaiting(whileWaiting_);
    }
    if (!loaded_) {
        fault = api_->start();
        loaded_ = fault == LibraryFault::None;
        return loaded_ ? api_.get() : nullptr;
    }
    fault = LibraryFault::None;
    return api_.get();
}

} // namespace kc
