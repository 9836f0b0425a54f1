#include "export/calc/TransferableSYLK.h"

#include <com/sun/star/datatransfer/UnsupportedFlavorException.hpp>

using namespace css;

namespace {

// The flavour the suite itself gives SYLK on the clipboard; parameters after
// the type (the Windows format name) do not matter when comparing.
const char kTypeSYLK[] = "application/x-openoffice-sylk";

} // namespace

TTransferableSYLK::TTransferableSYLK(const std::string& octets)
    : octets_(reinterpret_cast<const sal_Int8*>(octets.data()), sal_Int32(octets.size()))
{
}

datatransfer::DataFlavor TTransferableSYLK::saveurSYLK()
{
    datatransfer::DataFlavor saveur;
    saveur.MimeType = "application/x-openoffice-sylk;windows_formatname=\"Sylk\"";
    saveur.HumanPresentableName = "SYLK";
    saveur.DataType = cppu::UnoType<uno::Sequence<sal_Int8>>::get();
    return saveur;
}

uno::Any TTransferableSYLK::getTransferData(const datatransfer::DataFlavor& saveur)
{
    if (!isDataFlavorSupported(saveur))
        throw datatransfer::UnsupportedFlavorException(saveur.MimeType, static_cast<cppu::OWeakObject*>(this));
    return uno::Any(octets_);
}

uno::Sequence<datatransfer::DataFlavor> TTransferableSYLK::getTransferDataFlavors()
{
    const datatransfer::DataFlavor saveur = saveurSYLK();
    return uno::Sequence<datatransfer::DataFlavor>(&saveur, 1);
}

sal_Bool TTransferableSYLK::isDataFlavorSupported(const datatransfer::DataFlavor& saveur)
{
    return saveur.MimeType.startsWithIgnoreAsciiCase(kTypeSYLK);
}
