#include "data/ContactBookFormat.h"

#include <cstring>
#include <string>

namespace contactbook {

namespace {

COleDateTime::DateTimeStatus StatusFromFile(std::int32_t status)
{
    // Only a damaged file holds another value; such a birthday reads as no date at all.
    switch (status) {
    case COleDateTime::valid:
        return COleDateTime::valid;
    case COleDateTime::null:
        return COleDateTime::null;
    default:
        return COleDateTime::invalid;
    }
}

bool ReadRecord(CArchive& ar, CContact* contact)
{
    std::int32_t status = 0;
    double date = 0;
    ar.GetInt32(&status);
    ar.GetDouble(&date);
    contact->m_dtBirthday = COleDateTime(date, StatusFromFile(status));
    ar.GetString(&contact->m_strEMail);
    ar.GetString(&contact->m_strFirstName);
    ar.GetString(&contact->m_strLastName);
    ar.GetString(&contact->m_strTel);
    ar.GetString(&contact->m_strText);
    return ar.IsOk();
}

ReadResult::Damage DamageFrom(CArchive::Error error)
{
    switch (error) {
    case CArchive::Error::none:
        return ReadResult::Damage::none;
    case CArchive::Error::badLength:
        return ReadResult::Damage::badLength;
    case CArchive::Error::readFailed:
    case CArchive::Error::writeFailed:
        return ReadResult::Damage::readFailed;
    case CArchive::Error::endOfFile:
        break;
    }
    return ReadResult::Damage::endOfFile;
}

} // namespace

void WriteContactBook(CArchive& ar, const CContactList& contacts)
{
    ar.PutInt32(contacts.GetCount());
    for (const CContact& contact : contacts) {
        ar.PutInt32(contact.m_dtBirthday.GetStatus());
        ar.PutDouble(contact.m_dtBirthday.m_dt);
        ar.PutString(contact.m_strEMail);
        ar.PutString(contact.m_strFirstName);
        ar.PutString(contact.m_strLastName);
        ar.PutString(contact.m_strTel);
        ar.PutString(contact.m_strText);
    }
}

ReadResult ReadContactBook(CArchive& ar, CContactList* contacts)
{
    ReadResult result;
    if (ar.GetBytesLeft() == 0)
        return result;
    const std::uint64_t start = ar.GetPosition();
    std::int32_t announced = 0;
    if (!ar.GetInt32(&announced)) {
        const ReadResult::Damage damage = DamageFrom(ar.GetError());
        result.damage = damage == ReadResult::Damage::endOfFile ? ReadResult::Damage::countCut : damage;
        result.damageAt = start;
        result.readErrno = ar.GetFile()->GetLastError();
        return result;
    }
    result.announced = announced;
    if (result.announced <= 0)
        return result;

    const std::int64_t left = ar.GetBytesLeft();
    const bool countTooLarge = left >= 0 && result.announced > left / kMinRecordBytes;

    // Room for the records the data can really hold, made once: the count alone is not trusted.
    const std::int64_t possible = left >= 0 ? left / kMinRecordBytes : 0;
    contacts->Reserve(contacts->GetCount() +
                      static_cast<int>(std::min<std::int64_t>(result.announced, possible)));
    CContact scratch;
    for (std::int32_t i = 0; i < result.announced; ++i) {
        const std::uint64_t recordStart = ar.GetPosition();
        if (!ReadRecord(ar, &scratch)) {
            result.damage = DamageFrom(ar.GetError());
            result.damageAt = recordStart;
            result.readErrno = ar.GetFile()->GetLastError();
            break;
        }
        contacts->Add(std::move(scratch)); // every field is read anew for the next record
        ++result.contactsRead;
    }
    if (countTooLarge && result.damage != ReadResult::Damage::readFailed)
        result.damage = ReadResult::Damage::countTooLarge;
    return result;
}

CString ReadResult::Describe() const
{
    const int failing = contactsRead + 1;
    switch (damage) {
    case Damage::none:
        return CString();
    case Damage::countTooLarge:
        return FormatString("It announces %s, more than it has room for.",
                            Counted(announced, "contact").c_str());
    case Damage::countCut:
        return CString("It ends inside the number of contacts at its start.");
    case Damage::endOfFile:
        return FormatString("It ends inside contact %d of %d.", failing, announced);
    case Damage::badLength:
        return FormatString("A text of contact %d of %d runs past the end of the file.", failing, announced);
    case Damage::readFailed:
        if (contactsRead == 0)
            return FormatString("It could not be read: %s.", std::strerror(readErrno));
        return FormatString("It could not be read after contact %d: %s.", contactsRead,
                            std::strerror(readErrno));
    }
    return CString();
}

std::string Counted(long long number, const char* noun)
{
    std::string text = std::to_string(number) + ' ' + noun;
    if (number != 1)
        text += 's';
    return text;
}

} // namespace contactbook
