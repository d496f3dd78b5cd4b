// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/fixed_text.h"

#include <QString>
#include <array>
#include <cstdint>

namespace kc {

constexpr int kSlotCount = 5;

// COM 1 to COM 4 have their own slot; every further port shares slot 5.
constexpr int kFurtherSlot = 5;
constexpr int SlotOfPort(uint16_t pn) {
    return pn < kFurtherSlot ? int(pn) : kFurtherSlot;
}

// Five records addressed by slot 1 to 5.
template <typename T> class SlotArray {
  public:
    T& operator[](int slot) { return items_.at(std::size_t(slot - 1)); }
    const T& operator[](int slot) const { return items_.at(std::size_t(slot - 1)); }
    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }

  private:
    std::array<T, kSlotCount> items_{};
};

struct PortStatus {
    FixedText<60> InterfaceText;
    FixedText<15> BaudRateText;
    bool BaudProbed = false;
    bool PortPresent = false;
    bool PortBusy = false;
    bool DsrSeen = false;
    int16_t PortResult = 0;
    FixedText<8> CtApiBaudText;
};

struct TerminalInfo {
    FixedText<50> ModelText;
    FixedText<25> OutputMedium;
    FixedText<10> PnpDeviceId;
    FixedText<5> Manufacturer;
    FixedText<5> CtType;
    FixedText<5> SoftwareVersion;
    bool Responding = false;
    bool IsMobile = false;
    bool HasCardData = false;
    bool IsEgk = false;
    bool IsLocked = false;
    bool ViaUsbVirtualCom = false;
};

enum InsuredField : int {
    Krankenkassenname = 0,
    Krankenkassennummer,
    Versichertennummer,
    VKNR,
    Versichertenstatus,
    Statusergaenzung,
    Titel,
    Vorname,
    Namenszusatz,
    Familienname,
    Geburtsdatum,
    Strasse,
    Wohnsitzlaendercode,
    Postleitzahl,
    Ortsname,
    Gueltigkeitsdatum,
    Pruefsumme,
    Einlesedatum,
    Zulassungsnummer,
    Pruefsummezusatz,
};
constexpr int kInsuredFieldCount = 20;

// The insured person's 20 fields; also the shape of a work list under construction.
using InsuredRecord = std::array<QString, kInsuredFieldCount>;
using EgkFieldBuffer = InsuredRecord;

// Row 0: open result per port (k < 256: pn k+1; else 0x2000 + k - 256).
// Row 1: the further ports that answered, followed by zeros.
constexpr int kFurtherPortColumns = 512;
using FurtherPorts = std::array<std::array<uint16_t, kFurtherPortColumns>, 2>;

// The three eGK documents, in the order the information window numbers them.
enum class DocKind : int { Pd = 0, Vd = 1, Gvd = 2 };
constexpr int kDocKindCount = 3;
constexpr int DocIndex(DocKind kind) {
    return int(kind);
}

struct ElementEntry {
    QString name;
    QString text;
};

constexpr int kPdListCapacity = 61;
constexpr int kVdListCapacity = 61;
constexpr int kGvdListCapacity = 21;

struct FirstAddressParts {
    QString street;
    QString houseNumber;
    QString supplement;
};

// Stored eGK record of a handheld: tag, length and value of four objects plus display texts.
enum MobileVsdField : int {
    StatusTag = 0,
    StatusLength,
    StatusValue,
    ReadDateTag,
    ReadDateLength,
    ReadDateValue,
    ReadDateText,
    ApprovalTag,
    ApprovalLength,
    ApprovalValue,
    ApprovalText,
    ChecksumTag,
    ChecksumLength,
    ChecksumValue,
};
constexpr int kMobileVsdFieldCount = 14;
using MobileVsdRecord = std::array<QString, kMobileVsdFieldCount>;
MobileVsdRecord PresetMobileVsdRecord();

struct EgkResults {
    QString IccSerialNumber;
    QString VsdStatus;
    MobileVsdRecord MobileVsd = PresetMobileVsdRecord();
    std::array<QString, kDocKindCount> EgkXmlText;
    std::array<QString, kDocKindCount> EgkValidationText;
    std::array<bool, kDocKindCount> EgkValidationWarning{};
    std::array<ElementEntry, kPdListCapacity> PdElementList;
    std::array<ElementEntry, kVdListCapacity> VdElementList;
    std::array<ElementEntry, kGvdListCapacity> GvdElementList;
    FirstAddressParts FirstAddress;
    // The card refused EF.GVD until a PIN is entered (6982), as real cards do.
    bool GvdProtected = false;
};

// Everything learnt per port, terminal and card for the length of a run.
struct SlotTables {
    SlotArray<PortStatus> port;
    SlotArray<TerminalInfo> terminal;
    SlotArray<InsuredRecord> insured;
    SlotArray<EgkResults> egk;
    FurtherPorts furtherPorts{};
};

} // namespace kc
