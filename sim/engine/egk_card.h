// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "card.h"

#include <optional>

namespace kc::sim {

// An eGK file system: EF.GDO at the MF, and DF.HCA with EF.PD, EF.VD, EF.GVD
// and EF.StatusVD, reached by application and file identifier or by short
// file identifier.
class EgkCard : public Card {
  public:
    explicit EgkCard(const CardSetup& setup);

    [[nodiscard]] uint16_t activationStatus() const override { return sw::kProcessorCardOk; }
    void reset() override;

  protected:
    Response select(const Apdu& apdu) override;
    Response read(const Apdu& apdu) override;

  private:
    enum class Folder { Mf, Hca };

    Response selectByAid(std::span<const uint8_t> aid);
    Response selectByFid(std::span<const uint8_t> fid);
    Response readFile(EgkFile file, uint32_t offset, const Apdu& apdu) const;
    [[nodiscard]] bool present(EgkFile file) const { return files_.contains(file); }

    std::map<EgkFile, Bytes> files_;
    std::set<EgkFile> protected_;
    HcaState hca_;
    Folder folder_ = Folder::Mf;
    std::optional<EgkFile> currentEf_;
};

} // namespace kc::sim
