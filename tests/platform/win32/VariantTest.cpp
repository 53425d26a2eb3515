#include "win32_testing.h"
#include "windows.h"

#include "Variants.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
VARIANT Make(VARTYPE vt, LONG value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = vt;
    if (vt == VT_I2 || vt == VT_BOOL)
        v.iVal = SHORT(value);
    else
        v.lVal = value;
    return v;
}

VARIANT Double(double value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_R8;
    v.dblVal = value;
    return v;
}

// The converted value as text, or the failure.
std::wstring Converted(VARIANT source, VARTYPE to, USHORT flags = 0)
{
    VARIANT result;
    VariantInit(&result);
    const HRESULT hr = VariantChangeType(&result, &source, flags, to);
    VariantClear(&source);
    std::wstring text;
    if (FAILED(hr))
        text = hr == DISP_E_OVERFLOW ? L"overflow" : hr == DISP_E_TYPEMISMATCH ? L"mismatch" : L"failed";
    else if (result.vt != to)
        text = L"wrong type";
    else if (to == VT_BSTR)
        text = L"'" + std::wstring(result.bstrVal) + L"'";
    else if (to == VT_R8)
        text = std::to_wstring(result.dblVal);
    else if (to == VT_I2 || to == VT_BOOL)
        text = std::to_wstring(result.iVal);
    else if (to == VT_UI4)
        text = std::to_wstring(result.ulVal);
    else
        text = std::to_wstring(result.lVal);
    VariantClear(&result);
    return text;
}

TEST(Variants, ConvertBetweenNumbersBooleansAndText)
{
    struct Case
    {
        VARIANT source;
        VARTYPE to;
        const wchar_t* expected;
    };
    const long bstrs = platform::LiveBstrCount();
    const Case cases[] = {
        {Make(VT_I4, -7), VT_BSTR, L"'-7'"},
        {Make(VT_BOOL, -1), VT_BSTR, L"'-1'"},
        {Double(2.5), VT_BSTR, L"'2.5'"},
        {TextVariant(L" 42 "), VT_I4, L"42"},
        {TextVariant(L"-2147483648"), VT_I4, L"-2147483648"},
        {TextVariant(L"2147483648"), VT_I4, L"overflow"},
        {TextVariant(L"4294967295"), VT_UI4, L"4294967295"},
        {Make(VT_I4, -1), VT_UI4, L"overflow"},
        {Make(VT_I4, 40000), VT_I2, L"overflow"},
        {Double(2.5), VT_I4, L"2"}, // half to even
        {Double(3.5), VT_I4, L"4"},
        {Double(-0.5), VT_I4, L"0"},
        {TextVariant(L"1.5"), VT_I4, L"2"},
        {TextVariant(L"12abc"), VT_I4, L"mismatch"},
        {TextVariant(L"0x10"), VT_I4, L"mismatch"},
        {TextVariant(L""), VT_I4, L"mismatch"},
        {TextVariant(L"TRUE"), VT_BOOL, L"-1"},
        {TextVariant(L"false"), VT_BOOL, L"0"},
        {Make(VT_I4, 5), VT_BOOL, L"-1"},
        {Make(VT_I2, 7), VT_R8, L"7.000000"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Converted(c.source, c.to), c.expected) << c.expected;
    EXPECT_EQ(Converted(Make(VT_BOOL, 0), VT_BSTR, VARIANT_ALPHABOOL), L"'False'");
    EXPECT_EQ(platform::LiveBstrCount(), bstrs);
}

TEST(Variants, ReadABySourceReferenceAndConvertInPlace)
{
    LONG value = 17;
    VARIANT reference;
    VariantInit(&reference);
    reference.vt = VT_BYREF | VT_I4;
    reference.plVal = &value;
    EXPECT_EQ(Converted(reference, VT_BSTR), L"'17'");

    const long bstrs = platform::LiveBstrCount();
    VARIANT v = TextVariant(L"31");
    ASSERT_EQ(VariantChangeType(&v, &v, 0, VT_I4), S_OK);
    EXPECT_EQ(v.vt, VT_I4);
    EXPECT_EQ(v.lVal, 31);
    EXPECT_EQ(platform::LiveBstrCount(), bstrs) << "the text went with the conversion";
}

TEST(Variants, ReadRegistryNumbersAsUnsigned32Bits)
{
    ULONG number = 1;
    EXPECT_EQ(VarUI4FromStr(L"0", 0, 0, &number), S_OK);
    EXPECT_EQ(number, 0u);
    EXPECT_EQ(VarUI4FromStr(L"4294967295", 0, 0, &number), S_OK);
    EXPECT_EQ(number, 4294967295u);
    EXPECT_EQ(VarUI4FromStr(L"4294967296", 0, 0, &number), DISP_E_OVERFLOW);
    EXPECT_EQ(VarUI4FromStr(L"zero", 0, 0, &number), DISP_E_TYPEMISMATCH);
}

TEST(GuidText, RoundTripsInCapitalsAndRefusesWhatIsNoGuid)
{
    const GUID guid = {0x5D1E2C3A, 0x00AB, 0x4000, {0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0xCD, 0x0F}};
    WCHAR text[39];
    EXPECT_EQ(StringFromGUID2(guid, text, 38), 0);
    ASSERT_EQ(StringFromGUID2(guid, text, 39), 39);
    EXPECT_STREQ(text, L"{5D1E2C3A-00AB-4000-8000-00000000CD0F}");
    GUID read{};
    ASSERT_EQ(CLSIDFromString(L"{5d1e2c3a-00ab-4000-8000-00000000cd0f}", &read), S_OK);
    EXPECT_EQ(read, guid);
    for (const wchar_t* bad :
         {L"5D1E2C3A-00AB-4000-8000-00000000CD0F", L"{5D1E2C3A-00AB-4000-8000-00000000CD0}",
          L"{5D1E2C3A-00AB-4000+8000-00000000CD0F}", L"{5D1E2C3A-00AB-4000-8000-00000000CD0G}"})
    {
        EXPECT_EQ(CLSIDFromString(bad, &read), CO_E_CLASSSTRING) << bad;
        EXPECT_EQ(IIDFromString(bad, &read), E_INVALIDARG) << bad;
    }
}
} // namespace
