#include "officeenvironment.h"

#include "unosupport.h"

#include <algorithm>
#include <clocale>
#include <cstring>
#include <langinfo.h>

namespace {

// The value of `name` as getenv() would find it: the first entry, empty when there is none.
std::string valueOf(const std::vector<std::string> &environment, const std::string &name)
{
    const std::string prefix = name + '=';
    const auto entry = std::find_if(environment.begin(), environment.end(),
                                    [&](const std::string &e) { return e.rfind(prefix, 0) == 0; });
    return entry == environment.end() ? std::string() : entry->substr(prefix.size());
}

void setValue(std::vector<std::string> *environment, const std::string &name,
              const std::string &value)
{
    const std::string prefix = name + '=';
    environment->erase(
        std::remove_if(environment->begin(), environment->end(),
                       [&](const std::string &e) { return e.rfind(prefix, 0) == 0; }),
        environment->end());
    environment->push_back(prefix + value);
}

// Whether `name` is an installed locale whose characters are UTF-8.
bool isUtf8Locale(const std::string &name)
{
    const locale_t locale = ::newlocale(LC_CTYPE_MASK, name.c_str(), locale_t(nullptr));
    if (locale == locale_t(nullptr))
        return false;
    const bool utf8 = std::strcmp(::nl_langinfo_l(CODESET, locale), "UTF-8") == 0;
    ::freelocale(locale);
    return utf8;
}

// An installed UTF-8 locale for the language of `name` ("language_TERRITORY.codeset@modifier"),
// else C.UTF-8; empty when neither is installed.
std::string utf8LocaleFor(const std::string &name)
{
    const std::string language = name.substr(0, name.find_first_of(".@"));
    const std::size_t at = name.find('@');
    const std::string modifier = at == std::string::npos ? std::string() : name.substr(at);
    if (language != "C" && language != "POSIX") {
        const std::string sameLanguage = language + ".UTF-8" + modifier;
        if (isUtf8Locale(sameLanguage))
            return sameLanguage;
    }
    return isUtf8Locale("C.UTF-8") ? std::string("C.UTF-8") : std::string();
}

} // namespace

std::vector<std::string> officeEnvironment(const std::vector<std::string> &environment)
{
    const std::string all = valueOf(environment, "LC_ALL");
    const std::string ctype = valueOf(environment, "LC_CTYPE");
    const std::string lang = valueOf(environment, "LANG");
    const std::string locale = !all.empty()     ? all
                               : !ctype.empty() ? ctype
                               : !lang.empty()  ? lang
                                                : std::string("C");
    if (isUtf8Locale(locale))
        return environment;
    const std::string utf8 = utf8LocaleFor(locale);
    if (utf8.empty())
        return environment;
    const char *variable = all.empty() ? "LC_CTYPE" : "LC_ALL";
    qCInfo(lcOffice).noquote() << "the office starts with" << variable << "=" << utf8.c_str()
                               << "in place of the locale" << locale.c_str()
                               << "which does not read file names as UTF-8";
    std::vector<std::string> result = environment;
    setValue(&result, variable, utf8);
    return result;
}
