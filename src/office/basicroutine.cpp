#include "basicroutine.h"

#include "officeprocess_p.h"

#include <com/sun/star/container/XNameContainer.hpp>
#include <com/sun/star/lang/XMultiComponentFactory.hpp>
#include <com/sun/star/script/XLibraryContainer.hpp>
#include <com/sun/star/script/provider/XScriptProvider.hpp>
#include <com/sun/star/script/provider/theMasterScriptProviderFactory.hpp>

using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

BasicRoutine::BasicRoutine(const char *library, const char *module, const char *function,
                           const char *source)
    : m_library(library), m_module(module), m_function(function), m_source(source)
{
}

Reference<css::script::provider::XScript> BasicRoutine::setUp(OfficeProcess &process) const
{
    const Reference<css::uno::XComponentContext> context = uno::context(process);
    const Reference<css::script::XLibraryContainer> libraries(
        context->getServiceManager()->createInstanceWithContext(
            OUString("com.sun.star.script.ApplicationScriptLibraryContainer"), context),
        UNO_QUERY_THROW);
    const OUString libraryName = OUString::createFromAscii(m_library);
    if (!libraries->hasByName(libraryName))
        libraries->createLibrary(libraryName);
    const Reference<css::container::XNameContainer> library(libraries->getByName(libraryName),
                                                            UNO_QUERY_THROW);
    const OUString moduleName = OUString::createFromAscii(m_module);
    const Any source(OUString::createFromAscii(m_source));
    if (library->hasByName(moduleName))
        library->replaceByName(moduleName, source);
    else
        library->insertByName(moduleName, source);
    const Reference<css::script::provider::XScriptProvider> provider =
        css::script::provider::theMasterScriptProviderFactory::get(context)->createScriptProvider(
            Any(OUString()));
    const OUString url = "vnd.sun.star.script:" + libraryName + "." + moduleName + "." +
                         OUString::createFromAscii(m_function) +
                         "?language=Basic&location=application";
    return provider->getScript(url);
}

Any BasicRoutine::invoke(OfficeProcess &process, const css::uno::Sequence<Any> &arguments) const
{
    const OUString key = OUString::createFromAscii(m_library) + "." +
                         OUString::createFromAscii(m_module) + "." +
                         OUString::createFromAscii(m_function);
    Reference<css::script::provider::XScript> &script = process.impl().basicScripts[key];
    if (!script.is())
        script = setUp(process);
    css::uno::Sequence<sal_Int16> outIndexes;
    css::uno::Sequence<Any> outValues;
    return script->invoke(arguments, outIndexes, outValues);
}
