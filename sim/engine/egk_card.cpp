// SPDX-License-Identifier: Apache-2.0
#include "egk_card.h"

#include <algorithm>
#include <array>

namespace kc::sim {

namespace {

constexpr std::array<uint8_t, 6> kHcaAid{0xD2, 0x76, 0x00, 0x00, 0x01, 0x02};
constexpr std::array<uint8_t, 7> kRootAid{0xD2, 0x76, 0x00, 0x01, 0x44, 0x80, 0x00};

struct FileAddress {
    EgkFile file;
    uint16_t fid;
    uint8_t sfi;
};

// The files of DF.HCA; EF.GDO lives at the MF as 2F02, SFI 02.
constexpr std::array<FileAddress, 4> kHcaFiles{{
    {EgkFile::Pd, 0xD001, 0x01},
    {EgkFile::Vd, 0xD002, 0x02},
    {EgkFile::Gvd, 0xD003, 0x03},
    {EgkFile::StatusVd, 0xD00C, 0x0C},
}};
constexpr FileAddress kGdo{EgkFile::Gdo, 0x2F02, 0x02};

} // namespace

EgkCard::EgkCard(const CardSetup& setup)
    : files_(setup.egkFiles), protected_(setup.protectedFiles), hca_(setup.hca) {}

void EgkCard::reset() {
    folder_ = Folder::Mf;
    currentEf_.reset();
}

Response EgkCard::select(const Apdu& apdu) {
    switch (apdu.p1) {
    case 0x00:
        if (apdu.data.empty() || std::ranges::equal(apdu.data, std::array<uint8_t, 2>{0x3F, 0x00})) {
            reset();
            return Response::status(sw::kOk);
        }
        return Response::status(sw::kNotFound);
    case 0x02:
        return selectByFid(apdu.data);
    case 0x04:
        return selectByAid(apdu.data);
    default:
        return Response::status(sw::kIncorrectP1P2);
    }
}

Response EgkCard::selectByAid(std::span<const uint8_t> aid) {
    if (std::ranges::equal(aid, kRootAid)) {
        reset();
        return Response::status(sw::kOk);
    }
    if (!std::ranges::equal(aid, kHcaAid))
        return Response::status(sw::kNotFound);
    switch (hca_) {
    case HcaState::Active:
        folder_ = Folder::Hca;
        currentEf_.reset();
        return Response::status(sw::kOk);
    case HcaState::Deactivated:
        return Response::status(sw::kDeactivated);
    case HcaState::Missing:
        break;
    }
    return Response::status(sw::kNotFound);
}

Response EgkCard::selectByFid(std::span<const uint8_t> fid) {
    if (fid.size() != 2)
        return Response::status(sw::kNotFound);
    const uint16_t wanted = static_cast<uint16_t>(fid[0] << 8 | fid[1]);
    if (folder_ == Folder::Mf) {
        if (wanted != kGdo.fid || !present(kGdo.file))
            return Response::status(sw::kNotFound);
        currentEf_ = kGdo.file;
        return Response::status(sw::kOk);
    }
    const auto* match = std::ranges::find(kHcaFiles, wanted, &FileAddress::fid);
    if (match == kHcaFiles.end() || !present(match->file))
        return Response::status(sw::kNotFound);
    currentEf_ = match->file;
    return Response::status(sw::kOk);
}

Response EgkCard::read(const Apdu& apdu) {
    if (!apdu.ne)
        return Response::status(sw::kWrongLength);
    if (!(apdu.p1 & 0x80)) {
        if (!currentEf_)
            return Response::status(sw::kNoCurrentEf);
        return readFile(*currentEf_, static_cast<uint32_t>(apdu.p1) << 8 | apdu.p2, apdu);
    }
    const uint8_t sfi = apdu.p1 & 0x1F;
    std::optional<EgkFile> file;
    if (folder_ == Folder::Mf) {
        if (sfi == kGdo.sfi)
            file = kGdo.file;
    } else {
        const auto* match = std::ranges::find(kHcaFiles, sfi, &FileAddress::sfi);
        if (match != kHcaFiles.end())
            file = match->file;
    }
    if (!file || !present(*file))
        return Response::status(sw::kNotFound);
    currentEf_ = file;
    return readFile(*file, apdu.p2, apdu);
}

Response EgkCard::readFile(EgkFile file, uint32_t offset, const Apdu& apdu) const {
    if (protected_.contains(file))
        return Response::status(sw::kSecurityNotSatisfied);
    return ReadBinary(files_.at(file), offset, apdu);
}

} // namespace kc::sim
