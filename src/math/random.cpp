// placeholder, replaced by the math work
