#pragma once
// The toolkit's style, made quicker for many document windows: each window's
// system menu asks for four standard icons, which the style reads and decodes
// from several images every time, and each window's title bar measures its
// title at every activation, move and resize. The icons are made once, and
// title bars skip the shaping that Latin titles do not need (kerning and
// ligatures); titles in scripts that need it are still shaped.

// Makes it the application's style, unless it is already.
void UseQuickWindowStyle();
