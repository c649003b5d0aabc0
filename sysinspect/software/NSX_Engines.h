// The data-engines topic: the versions of ODBC, the BDE, DAO and ADO, with
// the two objects it owns, TDirectX (the DirectX version and the drivers
// the registry lists) and TASPI32 (the ASPI layer's version and the SCSI
// devices it reaches).
#pragma once
#include <memory>
#include <string>

#include "../core/NSX_Common.h"
#include "Norvik_WnASPI32.h"

namespace nsx {

class TDirectX : public TTopic {
 public:
  void GetInfo();
  void Report(TReportList& list, bool standalone) override;
  std::string ClassName() const override { return "TDirectX"; }

  const std::string& Version() const { return version_; }
  const TStringList& Direct3D() const { return direct3D_; }
  const TStringList& DirectPlay() const { return directPlay_; }
  const TStringList& DirectMusic() const { return directMusic_; }

 private:
  std::string version_;
  TStringList direct3D_, directPlay_, directMusic_;
};

// The version held by DirectX's "InstalledVersion" value, where "Version"
// is missing: two 32-bit numbers stored high byte first, major and minor
// (00 00 00 08 00 00 00 01 for DirectX 8.1), written "8.1"; four bytes
// hold the major number alone. Fewer bytes, or a major number of 0, give
// no version (empty).
std::string DirectXInstalledVersion(const platform::Bytes& value);

class TASPI32 : public TTopic {
 public:
  // Rescans; the version is that of the library file the program bound.
  void GetInfo();
  void Report(TReportList& list, bool standalone) override;
  std::string ClassName() const override { return "TASPI32"; }

  // The library's version; empty when ASPI is absent or reports no adapters.
  const std::string& ASPI() const { return aspi_; }
  const TASPIScanResult& Scan() const { return scan_; }

 private:
  std::string aspi_;
  TASPIScanResult scan_;
};

class TEngines : public TTopic {
 public:
  TEngines();
  ~TEngines() override;
  TEngines(const TEngines&) = delete;
  TEngines& operator=(const TEngines&) = delete;

  void GetInfo();
  // The Engines element, then the DirectX and ASPI32 elements.
  void Report(TReportList& list, bool standalone) override;
  std::string ClassName() const override { return "TEngines"; }

  // The mode of the guards around DirectX and ASPI.
  TExceptionMode ExceptionMode() const { return exceptionMode_; }
  void SetExceptionMode(TExceptionMode mode) { exceptionMode_ = mode; }

  const std::string& ODBC() const { return odbc_; }
  const std::string& BDE() const { return bde_; }
  const std::string& DAO() const { return dao_; }
  const std::string& ADO() const { return ado_; }
  TDirectX& DirectX() { return *directX_; }
  const TDirectX& DirectX() const { return *directX_; }
  TASPI32& ASPI32() { return *aspi32_; }
  const TASPI32& ASPI32() const { return *aspi32_; }

 private:
  TExceptionMode exceptionMode_ = emRaise;
  std::string odbc_, bde_, dao_, ado_;
  std::unique_ptr<TDirectX> directX_;
  std::unique_ptr<TASPI32> aspi32_;
};

}  // namespace nsx
