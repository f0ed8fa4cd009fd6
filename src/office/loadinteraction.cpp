#include "loadinteraction.h"

#include <com/sun/star/document/AmbigousFilterRequest.hpp>
#include <com/sun/star/document/FilterOptionsRequest.hpp>
#include <com/sun/star/document/XInteractionFilterOptions.hpp>
#include <com/sun/star/document/XInteractionFilterSelect.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/task/ErrorCodeRequest.hpp>
#include <com/sun/star/task/PasswordRequest.hpp>
#include <com/sun/star/task/XInteractionAbort.hpp>
#include <com/sun/star/task/XInteractionApprove.hpp>
#include <com/sun/star/task/XInteractionRequest.hpp>
#include <rtl/ref.hxx>

using css::uno::Reference;
using css::uno::UNO_QUERY;

namespace {

// The office's error codes carry their class in bit 31: set for a warning.
bool isWarning(sal_Int32 errorCode)
{
    return (sal_uInt32(errorCode) & 0x80000000u) != 0;
}

template <typename Continuation>
Reference<Continuation> continuation(const Reference<css::task::XInteractionRequest> &request)
{
    for (const Reference<css::task::XInteractionContinuation> &c : request->getContinuations()) {
        Reference<Continuation> wanted(c, UNO_QUERY);
        if (wanted.is())
            return wanted;
    }
    return {};
}

template <typename Continuation>
bool choose(const Reference<css::task::XInteractionRequest> &request)
{
    const Reference<Continuation> chosen = continuation<Continuation>(request);
    if (chosen.is())
        chosen->select();
    return chosen.is();
}

} // namespace

void QuietLoadInteraction::handle(const Reference<css::task::XInteractionRequest> &request)
{
    const css::uno::Any asked = request->getRequest();
    qCInfo(lcOffice).noquote() << "the office asks while loading:"
                               << uno::toQ(asked.getValueTypeName());
    css::document::AmbigousFilterRequest ambiguous;
    css::task::ErrorCodeRequest error;
    if (asked >>= ambiguous) {
        const Reference<css::document::XInteractionFilterSelect> filter =
            continuation<css::document::XInteractionFilterSelect>(request);
        if (filter.is()) {
            filter->setFilter(ambiguous.SelectedFilter);
            filter->select();
            return;
        }
    } else if (asked.isExtractableTo(cppu::UnoType<css::document::FilterOptionsRequest>::get())) {
        if (choose<css::document::XInteractionFilterOptions>(request))
            return;
    } else if (asked >>= error) {
        qCInfo(lcOffice).noquote()
            << "the office's error code:" << QString::number(sal_uInt32(error.ErrCode), 16);
        if (isWarning(error.ErrCode) && choose<css::task::XInteractionApprove>(request))
            return;
    } else if (asked.isExtractableTo(cppu::UnoType<css::task::PasswordRequest>::get())) {
        m_passwordAsked = true;
    }
    choose<css::task::XInteractionAbort>(request);
}

Reference<css::lang::XComponent> loadQuietly(OfficeProcess &process, const OUString &url,
                                             css::uno::Sequence<css::beans::PropertyValue> arguments,
                                             bool *passwordAsked)
{
    const rtl::Reference<QuietLoadInteraction> interaction = new QuietLoadInteraction;
    arguments.realloc(arguments.getLength() + 1);
    arguments.getArray()[arguments.getLength() - 1] = uno::property(
        "InteractionHandler",
        css::uno::Any(Reference<css::task::XInteractionHandler>(interaction.get())));
    const Reference<css::frame::XComponentLoader> loader(uno::desktop(process),
                                                         css::uno::UNO_QUERY_THROW);
    Reference<css::lang::XComponent> loaded;
    try {
        loaded = loader->loadComponentFromURL(url, OUString("_blank"), 0, arguments);
    } catch (const css::uno::Exception &) {
        if (!interaction->passwordAsked())
            throw;
    }
    *passwordAsked = interaction->passwordAsked();
    return loaded;
}
