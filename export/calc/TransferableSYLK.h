#pragma once
// One clipboard block for the office suite: the SYLK bytes offered under the
// suite's own SYLK flavour, the only one.
#include <com/sun/star/datatransfer/XTransferable.hpp>
#include <cppuhelper/implbase1.hxx>

#include <string>

class TTransferableSYLK : public cppu::WeakImplHelper1<css::datatransfer::XTransferable> {
public:
    explicit TTransferableSYLK(const std::string& octets);

    css::uno::Any SAL_CALL getTransferData(const css::datatransfer::DataFlavor& saveur) override;
    css::uno::Sequence<css::datatransfer::DataFlavor> SAL_CALL getTransferDataFlavors() override;
    sal_Bool SAL_CALL isDataFlavorSupported(const css::datatransfer::DataFlavor& saveur) override;

    static css::datatransfer::DataFlavor saveurSYLK();

private:
    css::uno::Sequence<sal_Int8> octets_;
};
