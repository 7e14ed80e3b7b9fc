// Fixed texts that name the product.
#ifndef UDOVOR_PLUGIN_PRODUCT_H
#define UDOVOR_PLUGIN_PRODUCT_H

#define PRODUCT_WEB_ADDRESS "www.udovor.example"
#define PRODUCT_TITLE "DID Udovor - " PRODUCT_WEB_ADDRESS
#define DOWNLOADER_TITLE "EPG Downloader - " PRODUCT_WEB_ADDRESS
#define ABOUT_CAPTION "Anyway the wind blows... - ver 0.10d"
#define ABOUT_TEXT                                                   \
    "Udovor EPG\n"                                                   \
    "Programme guide for the box, captured from the broadcast.\n"    \
    "Made by the Udovor team - " PRODUCT_WEB_ADDRESS "\n"           \
    "Forum: forum.udovor.example"

#endif
