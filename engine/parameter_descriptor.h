#pragma once

#include <memory>
#include <string>

class CCloneImage;
class CListValue;
class CNumberRange;
class CRangeValue;
class CTextValue;
class CValueList;

// Where one setting lives in the clone image and how its value is written as text.
class CParameterDescriptor {
public:
    // !!! The kind numbers and words name the setting layouts. DO NOT CHANGE. !!!
    enum EKind {
        kEmpty = 0,   // "EMPTY": no value, touches nothing
        kBitNum = 1,  // "BITNUM": one of a list of named codes in a bit field
        kSelNum = 2,  // "SELNUM": a number from a range in a bit field
        kMemName = 3, // "MEMNAME": a fixed-length text, one character per byte
    };

    CParameterDescriptor();
    virtual ~CParameterDescriptor();

    CParameterDescriptor(const CParameterDescriptor&) = delete;
    CParameterDescriptor& operator=(const CParameterDescriptor&) = delete;

    // Creates the value objects of the kind named by word; an unknown word changes nothing.
    void SetKind(const std::string& word);
    int GetKind() const { return m_kind; }
    void SetName(const std::string& name) { m_name = name; }
    const std::string& Name() const { return m_name; }
    void SetAddress(int address) { m_address = address; }
    int GetAddress() const { return m_address; }
    void SetFirstBit(int bit) { m_bit = bit; }
    int GetFirstBit() const { return m_bit; }
    void SetBitWidth(int width) { m_width = width; }
    void SetByteWidth(int bytes) { m_width = 8 * bytes; }
    int GetWidth() const { return m_width; }

    // The value objects of the kind, for filling in; null for the other kinds.
    CValueList* GetValueList() { return m_valueList.get(); }
    CNumberRange* GetNumberRange() { return m_numberRange.get(); }
    CRangeValue* GetRangeValue() { return m_rangeValue.get(); }
    CTextValue* GetTextValue() { return m_textValue.get(); }

    // The value part of a command (ACCESS=VALUE); answers the value as it then stands.
    std::string Execute(const std::string& command);
    // The same for a query alone: a change is not made and answers empty.
    std::string Query(const std::string& command) const;
    // Direction 0 decodes the value from the image, 1 encodes it; any other does nothing.
    void Sync(int direction, CCloneImage& image);

private:
    void Decode(const CCloneImage& image);
    void Encode(CCloneImage& image) const;

    int m_kind = kEmpty;
    std::string m_name;
    int m_address = 0;
    int m_bit = 0;
    int m_width = 1;
    std::unique_ptr<CValueList> m_valueList;
    std::unique_ptr<CListValue> m_listValue;
    std::unique_ptr<CNumberRange> m_numberRange;
    std::unique_ptr<CRangeValue> m_rangeValue;
    std::unique_ptr<CTextValue> m_textValue;
};
