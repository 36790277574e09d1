#pragma once
// The window's record set built in code: ClientDataSet1 with its four fields,
// DataSource1, and the after-insert handler that gives every new record
// AInt = 1. Controls under test link to `source`.

#include "data/DataSet.h"
#include "data/DataSource.h"
#include "tests/support/StoredPacket.h"

struct WindowRecordSet {
    // Owns every component below.
    struct Root : TComponent {
        const char* className() const override { return "TTestRoot"; }
    } root;
    TClientDataSet* dataSet = new TClientDataSet(&root);
    TIntegerField* aInt = new TIntegerField(&root);
    TStringField* aStr = new TStringField(&root);
    TBooleanField* aBoolean = new TBooleanField(&root);
    TStringField* strShowCheck = new TStringField(&root);
    TDataSource* source = new TDataSource(&root);

    explicit WindowRecordSet(bool open = true) {
        dataSet->setName("ClientDataSet1");
        source->setName("DataSource1");
        aInt->setFieldName("AInt");
        aStr->setFieldName("AStr");
        aStr->setSize(12);
        aBoolean->setFieldName("ABoolean");
        strShowCheck->setFieldName("StrShowCheck");
        strShowCheck->setSize(2);
        for (TField* field : {static_cast<TField*>(aInt), static_cast<TField*>(aStr),
                              static_cast<TField*>(aBoolean), static_cast<TField*>(strShowCheck)}) {
            field->setDataSet(dataSet);
        }
        dataSet->AfterInsert = [](TDataSet& set) { set.fields()[0]->setValue(std::uint8_t{1}); };
        dataSet->setData(storedPacket());
        source->setDataSet(dataSet);
        if (open) {
            dataSet->open();
        }
    }
};
